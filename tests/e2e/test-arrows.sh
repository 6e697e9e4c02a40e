#!/usr/bin/env bash
# The arrow keys move the logo anywhere in the program: X and Y change by one, each change
# reaches the inserter, and they stop at the limits. Up-down arrows move them too, the Y
# arrows the reversed way.
source "$(dirname "$0")/e2e.sh"

convert -size 8x6 xc:'#3080c0' -type TrueColor "BMP3:$WORK/logo.bmp"
reset_ports
start_simulator 2 --status "Arrow Bench"
install_pavina
start_ready_pavina "Arrow Bench"

# Without an image the keys move nothing.
drv key TMainForm 39 2
sleep 0.5
check_eq "$(drv text TMainForm name:edX)" "50" "X without an image"

drv click TMainForm name:btLoadImage
drv open-file "$WORK/logo.bmp" || fail "file dialog"
drv wait-text TMainForm name:grImage "  Z:${WORK//\//\\}\\logo.bmp 8x6  " 10000 || fail "caption"

drv key TMainForm 39 3  # right, held: two auto-repeats
drv wait-text TMainForm name:edX 53 10000 || fail "X after three right arrows"
drv key TMainForm 38    # up lowers Y
drv wait-text TMainForm name:edY 49 10000 || fail "Y after up"
drv key TMainForm 37    # left
drv wait-text TMainForm name:edX 52 10000 || fail "X after left"
drv key TMainForm 40 2  # down
drv wait-text TMainForm name:edY 51 10000 || fail "Y after down"
for _ in $(seq 50); do [ "$(simulator_positions 2 | wc -l)" -ge 7 ] && break; sleep 0.1; done
check_eq "$(simulator_positions 2 | tr '\n' ',')" "51 50,52 50,53 50,53 49,52 49,52 50,52 51," \
  "positions received"

# Held at the limits, they stop there and send nothing more.
drv settext TMainForm name:edX 225
drv settext TMainForm name:edY 20
drv key TMainForm 39 5
drv key TMainForm 38 5
sleep 1
check_eq "$(drv text TMainForm name:edX) $(drv text TMainForm name:edY)" "225 20" "held at the limits"
check_eq "$(simulator_positions 2 | tail -2 | tr '\n' ',')" "225 51,225 20," "nothing past the limits"

# Typed text that is no number in range leaves the position; the up-down arrows.
drv settext TMainForm name:edX 300
drv click TMainForm name:udY 50 75  # the lower arrow raises the reversed Y
sleep 0.5
check_eq "$(simulator_positions 2 | tail -1)" "225 21" "Y arrow after a bad X"
# A key that fails to load: the plain message of our own, whose loop the arrow keys pass
# through as well.
drv click TMainForm name:btLoadKey
drv open-file "$WORK/no-such-key.png" || fail "file dialog for the key"
drv wait-window "TMessageForm|Pavina" 20000 || fail "no plain message"
check_eq "$(drv text "TMessageForm|Pavina" '#100')" "File Read Error" "plain message text"
drv key "TMessageForm|Pavina" 37
drv wait-text TMainForm name:edX 224 10000 || fail "arrow key in the plain message's loop"
drv click "TMessageForm|Pavina" OK
drv wait-gone TMessageForm 10000 || fail "the plain message stayed"

# Enter on a control that is no button presses Load Image.
drv click TMainForm name:edKeyOfs
drv key TMainForm 13
drv wait-window "#32770|Open" 20000 || fail "Enter did not press Load Image"
drv cancel-file
drv wait-gone "#32770|Open" 10000 || fail "the file dialog stayed"

drv click TMainForm name:btExit
wait_pavina_end
passed
