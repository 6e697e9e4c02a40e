#!/usr/bin/env bash
# Loading pictures through the real file dialog and sending them: captions, the upload's
# status and progress, closing refused while it runs, Cancel, an injected failure, and the
# logo the inserter rebuilt from what it received.
source "$(dirname "$0")/e2e.sh"

winpath() { printf 'Z:%s' "${1//\//\\}"; }
wait_upload() { # NUMBER: the simulator has written the logo of that upload
  for _ in $(seq 600); do
    grep -qx "upload $1" "$WORK/sim2-logo.txt" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "upload $1 did not reach the inserter"
}

# The logo and its key sit where an operator would keep them, on drive C:, so that the
# screenshot taken for the README and the help page shows paths an operator knows.
logos=$WINEPREFIX/drive_c/Logos
mkdir -p "$logos"
image=$logos/station.bmp key=$logos/station-key.bmp
convert -size 40x24 gradient:'#ff8000-#2040c0' -fill black -draw 'rectangle 0,0 9,5' \
  -type TrueColor "BMP3:$image"
convert -size 40x24 gradient:white-black -type TrueColor "BMP3:$key"
convert -size 32x20 gradient:'#ffcc00-#0066ff' -quality 90 "$WORK/photo.jpg"

reset_ports
start_simulator 2 --status "Logo Inserter LI-1"
install_pavina "$(printf '[VARS]\r\nO=0\r\n')"  # no key delay: the key comes back in place
start_ready_pavina "Logo Inserter LI-1"

drv click TMainForm name:btLoadImage
drv open-file 'C:\Logos\station.bmp' || fail "file dialog for the image"
drv wait-text TMainForm name:grImage '  C:\Logos\station.bmp 40x24  ' 10000 ||
  fail "image caption"
check_eq "$(drv state TMainForm name:btSave)" "enabled=1 visible=1" "Send with an image"
drv click TMainForm name:btLoadKey
drv open-file 'C:\Logos\station-key.bmp' || fail "file dialog for the key"
drv wait-text TMainForm name:grKey '  C:\Logos\station-key.bmp 40x24  ' 10000 ||
  fail "key caption"
screenshot_window TMainForm main-window.png

# A slow inserter, so that the upload can be watched.
simulator_control 2 "delay data 300"
drv click TMainForm name:btSave
drv wait-text TMainForm name:stProcess "Sending..." 20000 || fail "no Sending..."
drv close TMainForm
drv key TMainForm 115 1 alt
drv click TMainForm name:btExit
sleep 0.5
check_eq "$(drv exists TMainForm)" 1 "main window after Close, Alt+F4 and Exit during the upload"
check_eq "$(drv state TMainForm name:btCancel)" "enabled=1 visible=1" "Cancel during the upload"
for control in btSave btLoadImage btLoadKey btAutoKey btExit edKeyOfs edX; do
  check_eq "$(drv state TMainForm name:$control)" "enabled=0 visible=1" "$control during the upload"
done
check_eq "$(drv state TMainForm name:btHelp)" "enabled=1 visible=1" "Help during the upload"
progress=$(drv progress TMainForm name:ProgressBar)
position=$(sed 's/position=\([0-9]*\).*/\1/' <<<"$progress")
[ "$position" -gt 0 ] && [ "$progress" = "position=$position max=23" ] ||
  fail "progress during the upload: $progress"
CHECKS=$((CHECKS + 1))
wait_upload 1
drv wait-text TMainForm name:stProcess "Logo Inserter LI-1 Ready" 20000 ||
  fail "not ready after the upload"
check_eq "$(drv state TMainForm name:btCancel)" "enabled=0 visible=1" "Cancel after the upload"
check_eq "$(drv progress TMainForm name:ProgressBar)" "position=0 max=23" "progress after the upload"

inserter_colours "$image" "$WORK/expected-colour.bmp"
inserter_key "$key" "$WORK/expected-key.bmp"
check_eq "$(pixels_differing "$WORK/sim2-logo-colour.bmp" "$WORK/expected-colour.bmp")" 0 "logo colours"
check_eq "$(pixels_differing "$WORK/sim2-logo-key.bmp" "$WORK/expected-key.bmp")" 0 "logo key"
check_eq "$(grep -E '^(width|height|size-matches)' "$WORK/sim2-logo.txt" | tr '\n' ' ')" \
  "width 40 height 24 size-matches yes " "logo size"

# A JPEG image with the automatic key, sent at full speed.
simulator_control 2 "delay data 0"
drv click TMainForm name:btLoadImage
drv open-file "$WORK/photo.jpg" || fail "file dialog for the JPEG"
drv wait-text TMainForm name:grImage "  $(winpath "$WORK/photo.jpg") 32x20  " 10000 ||
  fail "JPEG caption"
drv click TMainForm name:btAutoKey
drv wait-text TMainForm name:grKey "  Auto  " 10000 || fail "AutoKey caption"
drv click TMainForm name:btSave
wait_upload 2
convert "$WORK/photo.jpg" -type TrueColor "BMP3:$WORK/photo.bmp"
inserter_colours "$WORK/photo.bmp" "$WORK/expected-photo.bmp"
convert -size 32x20 xc:'rgb(252,252,252)' -type TrueColor "BMP3:$WORK/expected-auto.bmp"
check_eq "$(pixels_differing "$WORK/sim2-logo-colour.bmp" "$WORK/expected-photo.bmp")" 0 "JPEG colours"
check_eq "$(pixels_differing "$WORK/sim2-logo-key.bmp" "$WORK/expected-auto.bmp")" 0 "automatic key"

# Cancel ends the upload: the inserter never gets a whole logo.
drv wait-text TMainForm name:stProcess "Logo Inserter LI-1 Ready" 20000 || fail "not ready"
simulator_control 2 "delay data 200"
drv click TMainForm name:btSave
drv wait-text TMainForm name:stProcess "Sending..." 20000 || fail "no Sending... before Cancel"
sleep 0.5
drv click TMainForm name:btCancel
# Cancel is seen right after the next line header goes out, and the size and position that
# closes the upload may then meet that header's late acknowledgement.
if box=$(drv box Info 3000 2>/dev/null); then
  check_eq "$(grep '^text=' <<<"$box")" "text=Size And Position Error ,Try Again" "box after Cancel"
  drv dismiss "#32770|Info"
fi
drv wait-text TMainForm name:stProcess "Logo Inserter LI-1 Ready" 20000 || fail "not ready after Cancel"
check_eq "$(drv state TMainForm name:btLoadImage)" "enabled=1 visible=1" "controls back after Cancel"
grep -q 'upload ended after' "$WORK/sim2.transcript" || fail "the cancelled upload was not cut short"
CHECKS=$((CHECKS + 1))
check_eq "$(grep '^upload' "$WORK/sim2-logo.txt")" "upload 2" "no logo from the cancelled upload"

# A line header that is never acknowledged.
simulator_control 2 "delay data 0"
simulator_control 2 "fail header:3 missing"
drv click TMainForm name:btSave
box=$(drv box Info 30000) || fail "no retry message"
check_eq "$(tr '\n' ' ' <<<"$box")" "text=Header Error, Line 3 ,Try Again icon=0 buttons=OK " "retry message"
drv dismiss "#32770|Info"
simulator_control 2 "faults off"
drv wait-text TMainForm name:stProcess "Logo Inserter LI-1 Ready" 20000 || fail "not ready after the failure"

drv key TMainForm 115 1 alt
wait_pavina_end
passed
