#!/usr/bin/env bash
# Start and end: the splash, the main window as laid out, the inserter found and lost,
# a second start, the settings file written at exit and no leak report.
source "$(dirname "$0")/e2e.sh"

reset_ports
start_simulator 2 --status "Bench Inserter"
install_pavina  # no pavina.ini yet
start_pavina

drv wait-window TSplashForm 60000 || fail "no splash"
check_eq "$(drv exists TMainForm)" 0 "main window while the splash shows"
geometry=$(drv geometry TSplashForm)
check_eq "$(grep -o 'width=[0-9]* height=[0-9]* client=[0-9x]*' <<<"$geometry")" \
  "width=200 height=137 client=194x131" "splash size"
check_eq "$(grep -o 'left=[0-9]* top=[0-9]*' <<<"$geometry")" "left=412 top=315" "splash centred"
screenshot_window TSplashForm splash.png

# The layout as it is before the first status poll, a second after the window appears.
drv dump TMainForm >"$WORK/layout.txt" || fail "no main window"
check_eq "$(drv exists TSplashForm)" 0 "splash gone once the main window shows"
geometry=$(drv geometry "TMainForm|Pavina")
check_eq "$(grep -o 'client=[0-9x]*' <<<"$geometry")" "client=632x382" "client area"
width=$(sed 's/.*width=\([0-9]*\).*/\1/' <<<"$geometry")
height=$(sed 's/.*height=\([0-9]*\).*/\1/' <<<"$geometry")
check_eq "$(grep -o 'left=[0-9]* top=[0-9]*' <<<"$geometry")" \
  "left=$(((1024 - width) / 2)) top=$(((768 - height) / 2))" "main window centred"
diff -u "$(dirname "$0")/expected/main-window-at-start.txt" "$WORK/layout.txt" ||
  fail "the main window's controls differ from their layout"
CHECKS=$((CHECKS + 1))

# About a second later the poll finds the inserter.
drv wait-text TMainForm name:stProcess "Bench Inserter Ready" 20000 || fail "inserter not found"
for control in edX udX edY udY; do
  check_eq "$(drv state TMainForm name:$control)" "enabled=1 visible=1" "$control with an inserter"
done
check_eq "$(drv state TMainForm name:btCom)" "enabled=0 visible=0" "CO&M with an inserter"
check_eq "$(drv state TMainForm name:btSave)" "enabled=0 visible=1" "Send without an image"

# A second copy ends at once, shows nothing and brings the first one to the front.
second=$(drv second-start "$APP/Pavina.exe" 30000)
check_eq "$(grep '^before=' <<<"$second")" "before=PavinaTestDriver" "driver window in front"
check_eq "$(grep '^exit=' <<<"$second")" "exit=0" "second copy's exit code"
check_eq "$(grep '^splash=' <<<"$second")" "splash=0" "second copy's splash"
check_eq "$(grep '^after=' <<<"$second")" "after=TMainForm" "first copy in front"

# The inserter goes silent: not found, CO&M offered, X and Y off.
simulator_control 2 "silent on"
drv wait-text TMainForm name:stProcess "Logo Inserter Not Found" 20000 || fail "silence not seen"
check_eq "$(drv state TMainForm name:btCom)" "enabled=1 visible=1" "CO&M without an inserter"
check_eq "$(drv state TMainForm name:edX)" "enabled=0 visible=1" "X without an inserter"
simulator_control 2 "silent off"
drv wait-text TMainForm name:stProcess "Bench Inserter Ready" 20000 || fail "inserter not back"

drv click TMainForm name:btExit
wait_pavina_end
ini=$(tr -d '\r' <"$APP/pavina.ini")
check_eq "$ini" "$(printf '[VARS]\nO=5')" "settings file written at exit"
passed
