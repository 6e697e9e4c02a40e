#!/usr/bin/env bash
# Without its page the help window still opens and names the full path it tried, also when
# the program's folder has a "#" in its name (the viewer takes what follows as an anchor).
source "$(dirname "$0")/e2e.sh"
source "$(dirname "$0")/help-common.sh"

reset_ports
install_pavina
start_pavina
drv wait-window TMainForm 60000 >/dev/null || fail "no main window"
drv click TMainForm name:btHelp
drv wait-window "$HELP_WINDOW" 20000 || fail "Help opened no window without its page"
check_eq "$(help_text)" "Help File $(windows_path "$APP")\\pavina_help.htm not Found" \
  "text without the page"
drv close "$HELP_WINDOW"
drv wait-gone "$HELP_WINDOW" 10000 || fail "the help window stayed"
drv click TMainForm name:btExit
wait_pavina_end

# The page is there, but the folder's "#" cuts the name short.
APP=$WORK/app#1
mkdir -p "$APP"
cp "$PAVINA_EXE" "$APP/Pavina.exe"
install_help "$APP"
start_pavina
drv wait-window TMainForm 60000 >/dev/null || fail "no main window from the # folder"
drv click TMainForm name:btHelp
drv wait-window "$HELP_WINDOW" 20000 || fail "Help opened no window in the # folder"
check_eq "$(help_text)" "Help File $(windows_path "$APP")\\pavina_help.htm not Found" \
  "text in a folder with #"
drv click TMainForm name:btExit
wait_pavina_end
passed
