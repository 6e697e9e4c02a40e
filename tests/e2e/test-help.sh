#!/usr/bin/env bash
# Help opens our help page in our viewer: its size and place, a screenshot; Page Down, End,
# Home and the wheel scroll it while the arrow keys (the program's hook) do not; contents
# links scroll to their anchors; text selected by dragging is the page's own; every press
# opens another window; and after all of it the program ends without a leak report.
source "$(dirname "$0")/e2e.sh"
source "$(dirname "$0")/help-common.sh"

reset_ports
install_pavina
install_help "$APP"
open_help
check_eq "$(drv count "$HELP_WINDOW")" 1 "help windows after one press"
geometry=$(drv geometry "$HELP_WINDOW")
check_eq "$(grep -o 'client=[0-9x]*' <<<"$geometry")" "client=457x266" "help client size"
main=$(drv geometry TMainForm)
centre() { # GEOMETRY: the x and y of its centre
  local l t w h
  l=$(sed 's/.*left=\([-0-9]*\).*/\1/' <<<"$1"); t=$(sed 's/.*top=\([-0-9]*\).*/\1/' <<<"$1")
  w=$(sed 's/.*width=\([0-9]*\).*/\1/' <<<"$1"); h=$(sed 's/.* height=\([0-9]*\).*/\1/' <<<"$1")
  echo "$((l + w / 2)) $((t + h / 2))"
}
read -r hx hy <<<"$(centre "$geometry")"
read -r mx my <<<"$(centre "$main")"
CHECKS=$((CHECKS + 1))
[ $((hx - mx)) -ge -1 ] && [ $((hx - mx)) -le 1 ] && [ $((hy - my)) -ge -1 ] && [ $((hy - my)) -le 1 ] ||
  fail "help window not centred over the main window: $geometry / $main"
sleep 1
screenshot_window "$HELP_WINDOW" help-window.png
panel=$(drv rect "$HELP_WINDOW" class:TPaintPanel)
pl=$(sed 's/.*left=\([-0-9]*\).*/\1/' <<<"$panel"); pt=$(sed 's/.*top=\([-0-9]*\).*/\1/' <<<"$panel")
pw=$(sed 's/.*width=\([0-9]*\).*/\1/' <<<"$panel"); ph=$(sed 's/.*height=\([0-9]*\).*/\1/' <<<"$panel")

# Keys and wheel; the arrow keys go to the program's hook and move nothing here.
wait_scroll 0 "position at the start"
drv key "$HELP_WINDOW" 40 3
drv key "$HELP_WINDOW" 39
sleep 0.5
check_eq "$(help_scroll)" 0 "position after arrow keys"
drv key "$HELP_WINDOW" 34  # Page Down: the panel's height less one small step
page=$(wait_scroll_change 0)
CHECKS=$((CHECKS + 1))
[ "$page" -gt 150 ] && [ "$page" -lt "$ph" ] || fail "Page Down moved to $page (panel $ph high)"
drv key "$HELP_WINDOW" 35  # End
end=$(wait_scroll_change "$page")
CHECKS=$((CHECKS + 1))
[ "$end" -gt $((page * 5)) ] || fail "End moved only to $end"
drv key "$HELP_WINDOW" 33  # Page Up
wait_scroll $((end - page)) "position after Page Up"
drv key "$HELP_WINDOW" 36  # Home
wait_scroll 0 "position after Home"
drv wheel "$HELP_WINDOW" -240  # two notches down, 60 pixels each
wait_scroll 120 "position after two wheel notches"
drv wheel "$HELP_WINDOW" 120
wait_scroll 60 "position after a notch back"
drv key "$HELP_WINDOW" 36
wait_scroll 0 "position after Home again"

# The contents links, three wheel notches down, found on the screen by their link colour
# (pure blue): one group of rows per link (its underline may stand a row apart), in order.
drv wheel "$HELP_WINDOW" -360
wait_scroll 180 "position for the contents"
import -display "$DISPLAY" -window root -crop "${pw}x${ph}+${pl}+${pt}" +repage "$WORK/panel.png"
mapfile -t LINKS < <(convert "$WORK/panel.png" txt:- | grep -i '#0000FF' |
  sed 's/^\([0-9]*\),\([0-9]*\):.*/\1 \2/' | sort -n -k2 -k1 |
  awk 'NR == 1 || $2 > last + 3 { if (n) print minx, int((top + last) / 2); n++; top = $2; minx = $1 }
       { if ($1 < minx) minx = $1; last = $2 } END { if (n) print minx, int((top + last) / 2) }')
check_eq "${#LINKS[@]}" 9 "contents links on the first screen"

# Contents links: the last one leads furthest, the sixth less far; both scroll.
read -r lx ly <<<"${LINKS[8]}"
drv click-at "$HELP_WINDOW" class:TPaintPanel $((lx + 8)) "$ly"
messages=$(wait_scroll_change 180)
CHECKS=$((CHECKS + 1))
[ "$messages" -gt $((180 + page)) ] || fail "the Messages link scrolled to $messages"
back_to_contents() {
  drv key "$HELP_WINDOW" 36
  wait_scroll 0 "position after Home"
  drv wheel "$HELP_WINDOW" -360
  wait_scroll 180 "position back at the contents"
}
back_to_contents
read -r lx ly <<<"${LINKS[5]}"
drv click-at "$HELP_WINDOW" class:TPaintPanel $((lx + 8)) "$ly"
moving=$(wait_scroll_change 180)
CHECKS=$((CHECKS + 1))
[ "$moving" -gt 180 ] && [ "$moving" -lt "$messages" ] ||
  fail "the Moving link scrolled to $moving (Messages at $messages)"
back_to_contents

# A drag over three contents lines selects what the page says there.
read -r x1 y1 <<<"${LINKS[1]}"
read -r x3 y3 <<<"${LINKS[3]}"
drv clear-clipboard
drv drag "$HELP_WINDOW" class:TPaintPanel "$x1" "$y1" $((x3 + 60)) "$y3"
drv ctrl-key "$HELP_WINDOW" C
selected=$(drv clipboard | tr -d ' \r\n\t')
page_text=$(sed -e 's/<[^>]*>//g' -e 's/&amp;/\&/g' "$APP/pavina_help.htm" | tr -d ' \r\n\t')
CHECKS=$((CHECKS + 1))
[ ${#selected} -gt 20 ] || fail "the drag selected \"$selected\""
CHECKS=$((CHECKS + 1))
grep -qF -- "$selected" <<<"$page_text" || fail "the selection \"$selected\" is not the page's text"
CHECKS=$((CHECKS + 1))
grep -qF "AutoKey:akeymadefromthelogo" <<<"$selected" || fail "the selection \"$selected\" lacks its middle line"

# Two more presses: three windows, each closing by itself.
drv click TMainForm name:btHelp
drv click TMainForm name:btHelp
for _ in $(seq 50); do [ "$(drv count "$HELP_WINDOW")" = 3 ] && break; sleep 0.1; done
check_eq "$(drv count "$HELP_WINDOW")" 3 "help windows after three presses"
for n in 2 1 0; do
  drv close "$HELP_WINDOW"
  for _ in $(seq 50); do [ "$(drv count "$HELP_WINDOW")" = "$n" ] && break; sleep 0.1; done
  check_eq "$(drv count "$HELP_WINDOW")" "$n" "help windows left open"
done

# One more left open: it closes with the program, which reports no leak.
drv click TMainForm name:btHelp
drv wait-window "$HELP_WINDOW" 20000 || fail "Help opened no window"
drv key "$HELP_WINDOW" 34
drv click TMainForm name:btExit
wait_pavina_end
passed
