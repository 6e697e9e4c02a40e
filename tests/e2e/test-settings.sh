#!/usr/bin/env bash
# The settings file: stored values in their written forms, read beside the executable
# from any working folder, and the key offset written back at the end; a file that cannot
# be written reaches the general error report and the program still ends.
source "$(dirname "$0")/e2e.sh"

reset_ports
start_simulator 3 --status "Third Port"
# The offset is stored in another form than the program writes, so the file read back
# at the end shows that the program wrote it.
install_pavina "$(printf '[VARS]\r\nCOM=0x3\r\nO=$FFFFFFF9\r\n')"
mkdir -p "$WORK/elsewhere"
start_pavina "$WORK/elsewhere"
drv wait-window TMainForm 60000 >/dev/null || fail "no main window"
drv wait-text TMainForm name:stProcess "Third Port Ready" 20000 || fail "COM=0x3 did not open COM3"
check_eq "$(drv text TMainForm name:edKeyOfs)" "-7" "stored key offset"
drv close TMainForm
wait_pavina_end
check_eq "$(tr -d '\r' <"$APP/pavina.ini")" "$(printf '[VARS]\nCOM=0x3\nO=-7')" "settings written back"
[ ! -e "$WORK/elsewhere/pavina.ini" ] || fail "a settings file in the working folder"
CHECKS=$((CHECKS + 1))

# A folder where the file should be: the write at exit fails.
install_pavina
mkdir "$APP/pavina.ini"
start_pavina
drv wait-window TMainForm 60000 >/dev/null || fail "no main window"
drv click TMainForm name:btExit
box=$(drv box Pavina 30000) || fail "no error report"
check_eq "$(tr '\n' ' ' <<<"$box")" \
  "text=Unable to write to Z:${APP//\//\\}\\pavina.ini. icon=1 buttons=OK " "error report"
drv dismiss "#32770|Pavina"
wait_pavina_end
passed
