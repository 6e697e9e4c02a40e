#!/usr/bin/env bash
# The zip an operator downloads, made from this tree, unpacked into an empty folder under
# Wine: what it holds, pavina-cli.exe's help and a status query against the simulator, and
# Pavina.exe up to its main window with the inserter found, then closed without a leak
# report. Runs on the end-to-end fixture (tests/e2e); WIN_BUILD_DIR is the Windows build.
source "$(dirname "$0")/../e2e/e2e.sh"
root=$(realpath "$(dirname "$0")/../..")

zip=$WORK/pavina.zip
"$root/scripts/make-dist.sh" "$WIN_BUILD_DIR" "$zip" >"$WORK/make-dist.out" 2>&1 ||
  fail "make-dist: $(cat "$WORK/make-dist.out")"
APP=$WORK/unpacked
mkdir "$APP"
(cd "$APP" && unzip -q "$zip") || fail "the zip does not unpack"

# What it holds: both programs, the read-me, the licence, and the help page with every
# local picture it shows, when the tree has the help page.
expected="LICENSE.txt Pavina.exe README.txt pavina-cli.exe"
help=$(find "$root" \( -path "$root/build" -o -path "$root/.git" \) -prune -o \
  -name pavina_help.htm -type f -print | head -n 1)
if [ -n "$help" ]; then
  expected="$expected pavina_help.htm"
  for picture in $(grep -oiE 'src="[^":]*"' "$help" | sed 's/^src="//I; s/"$//' | sort -u); do
    [ -f "$APP/$picture" ] || fail "the help page's picture $picture is not in the zip"
    cmp -s "$APP/$picture" "$(dirname "$help")/$picture" || fail "$picture differs from the tree's"
    CHECKS=$((CHECKS + 1))
  done
fi
check_eq "$(cd "$APP" && find . -maxdepth 1 -type f ! -iname '*.gif' ! -iname '*.jpg' \
  ! -iname '*.jpeg' ! -iname '*.png' ! -iname '*.bmp' | sed 's|^\./||' | LC_ALL=C sort | xargs)" \
  "$expected" "files in the zip"
check_eq "$(head -c 6 "$APP/LICENSE.txt" | od -An -c | tr -s ' ')" " P a v i n a" "licence text"
grep -q $'\r$' "$APP/README.txt" || fail "README.txt without Windows line ends"
CHECKS=$((CHECKS + 1))

reset_ports
start_simulator 2 --status "Dist Inserter"

# The command-line program from the unpacked folder; without pavina.ini its port is COM2.
(cd "$APP" && wine ./pavina-cli.exe --help </dev/null >"$WORK/help.out" 2>&1) ||
  fail "pavina-cli.exe --help: $(cat "$WORK/help.out")"
grep -q '^Exit codes:' <(tr -d '\r' <"$WORK/help.out") || fail "help text: $(cat "$WORK/help.out")"
CHECKS=$((CHECKS + 1))
status=$(cd "$APP" && wine ./pavina-cli.exe status </dev/null 2>"$WORK/status.err" | tr -d '\r') ||
  fail "pavina-cli.exe status: $(cat "$WORK/status.err")"
check_eq "$status" "Dist Inserter Ready" "pavina-cli.exe status"

# The window program from the same folder, up to its main window, and closed.
start_pavina "$APP"
drv wait-window TMainForm 60000 >/dev/null || fail "no main window"
drv wait-text TMainForm name:stProcess "Dist Inserter Ready" 20000 || fail "the inserter was not found"
screenshot_window TMainForm dist-main-window.png
drv click TMainForm name:btExit
wait_pavina_end
passed
