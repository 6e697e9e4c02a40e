#!/usr/bin/env bash
# Without its page the help window still opens and names the full path it tried, also when
# the program's folder has a "#" in its name (the viewer takes what follows as an anchor).
source "$(dirname "$0")/e2e.sh"
source "$(dirname "$0")/help-common.sh"

reset_ports
install_pavina
open_help
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
open_help
check_eq "$(help_text)" "Help File $(windows_path "$APP")\\pavina_help.htm not Found" \
  "text in a folder with #"
drv click TMainForm name:btExit
wait_pavina_end
passed
