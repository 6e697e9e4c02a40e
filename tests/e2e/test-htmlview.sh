#!/usr/bin/env bash
# htmlview.exe shows any page given on its command line: captioned with the page's title,
# at the anchor after "#", scrolling with the keys; a missing page says so.
source "$(dirname "$0")/e2e.sh"
source "$(dirname "$0")/help-common.sh"

page=$WORK/page.htm
{
  echo "<title>Viewer Check</title><h1>Top</h1>"
  for n in $(seq 80); do echo "<p>Paragraph $n of a page that is longer than the window.</p>"; done
  echo '<a name="End"></a><p>The end.</p>'
} >"$page"

start_viewer() { # ARGUMENT
  (cd "$WORK" && exec setsid wine "$HTMLVIEW_EXE" "$1" </dev/null >"$WORK/htmlview.out" 2>&1) &
  STARTED_PIDS+=($!)
}
VIEWER="THtmlViewWindow|Viewer Check - HTML Viewer"

start_viewer "$(windows_path "$page")#end"
drv wait-window "$VIEWER" 60000 || fail "htmlview showed no window for the page"
CHECKS=$((CHECKS + 1))
[ "$(drv scroll-pos "$VIEWER")" -gt 1000 ] || fail "not at the anchor: $(drv scroll-pos "$VIEWER")"
drv key "$VIEWER" 36
for _ in $(seq 50); do [ "$(drv scroll-pos "$VIEWER")" = 0 ] && break; sleep 0.1; done
check_eq "$(drv scroll-pos "$VIEWER")" 0 "position after Home"
drv close "$VIEWER"
drv wait-gone "$VIEWER" 10000 || fail "htmlview did not close"

missing=$(windows_path "$WORK/none.htm")
start_viewer "$missing"
drv wait-window "THtmlViewWindow|$missing - HTML Viewer" 60000 || fail "no window for a missing page"
drv clear-clipboard
drv ctrl-key "THtmlViewWindow" A
drv ctrl-key "THtmlViewWindow" C
check_eq "$(drv clipboard)" "Can't locate file: $missing" "text for a missing page"
drv close "THtmlViewWindow"
drv wait-gone "THtmlViewWindow" 10000 || fail "htmlview did not close"
passed
