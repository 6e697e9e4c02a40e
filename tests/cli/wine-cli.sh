#!/usr/bin/env bash
# pavina-cli.exe under Wine against the simulator on a mapped COM port: status, a send whose
# received logo is compared with the image, Ctrl+C during a send, an inserter that does not
# answer, and ports that cannot be opened. Started by run-with-simulator.sh, which runs the simulator on PORT with
# --logo-out LOGO --control FIFO.
#   wine-cli.sh PREFIX PAVINA-CLI.EXE PORT STATUS-TEXT LOGO FIFO WORK
set -euo pipefail
prefix=$(realpath -m "$1")
cli=$2
port=$3
status_text=$4
logo=$5
fifo=$6
work=$7
here=$(dirname "$(realpath "$0")")
rm -rf "$work"
mkdir -p "$work"
checks=0

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
check_eq() { # actual expected what
  checks=$((checks + 1))
  [ "$1" = "$2" ] || fail "$3: got \"$1\", expected \"$2\""
}
# Runs the program; its exit code, standard output and error land in $code, $out, $err.
cli() {
  set +e
  "$here/../../scripts/wine-exec.sh" "$prefix" "$cli" "$@" >"$work/out" 2>"$work/err" </dev/null
  code=$?
  set -e
  out=$(tr -d '\r' <"$work/out")
  err=$(tr -d '\r' <"$work/err")
}

cli status --port "$port"
check_eq "$code/$out" "0/$status_text Ready" "status"

# A logo with black places, so that the automatic key has holes.
convert -size 45x13 gradient:yellow-navy -fill black -draw "rectangle 0,0 4,12" \
  -type TrueColor "BMP3:$work/logo.bmp"
cli send "$(winepath -w "$work/logo.bmp" 2>/dev/null)" --port "COM$port" --x 61 --y 72
check_eq "$code" 0 "send's exit code ($err)"
check_eq "$out" "Logo 45x13 sent to COM$port at X 61, Y 72" "send's report"
grep -q '^Sending\.\.\. 100%$' <<<"$err" || fail "no progress lines: $err"
check_eq "$(grep -E '^(x|y|lines-equal|size-matches) ' "$logo.txt" | tr '\n' ' ')" \
  "x 61 y 72 size-matches yes lines-equal yes " "the logo the simulator received"
# The colours as the inserter keeps them: 6 bits of each component.
convert "$work/logo.bmp" -depth 8 -fx '4*floor(u*255/4+0.001)/255' -type TrueColor \
  "BMP3:$work/expected.bmp"
check_eq "$(compare -metric AE "$work/expected.bmp" "$logo-colour.bmp" null: 2>&1 || true)" 0 \
  "pixels of the received colours that differ from the image"

echo "silent on" >"$fifo"
sleep 0.2
cli send "$(winepath -w "$work/logo.bmp" 2>/dev/null)" --port "$port" -q
check_eq "$code/$err" "3/Logo Inserter Not Found" "send without an answer"
cli status --port "$port"
check_eq "$code/$out" "3/Logo Inserter Not Found" "status without an answer"
echo "silent off" >"$fifo"

# Ctrl+C during the lines: Wine turns the interrupt into the console's Ctrl+C event, and the
# upload ends as Cancel ends it.
echo "delay data 200" >"$fifo"
set +e
"$here/../../scripts/wine-exec.sh" "$prefix" "$cli" send "$(winepath -w "$work/logo.bmp" 2>/dev/null)" \
  --port "$port" >"$work/out" 2>"$work/err" </dev/null &
pid=$!
for _ in $(seq 300); do
  grep -q 'Sending\.\.\.' "$work/err" 2>/dev/null && break
  sleep 0.1
done
kill -INT "$pid"
wait "$pid"
code=$?
set -e
echo "delay data 0" >"$fifo"
err=$(tr -d '\r' <"$work/err")
check_eq "$code" 130 "exit code after Ctrl+C ($err)"
grep -q '^pavina-cli: cancelled; the inserter may hold part of the logo$' <<<"$err" ||
  fail "no cancel report after Ctrl+C: $err"

# A port whose link leads nowhere, and one that cannot be opened, as if another program held it.
absent=$((port + 1))
rm -rf "$prefix/com$absent-link"
cli status --port "$absent"
echo "an absent port: $err"
check_eq "$code/${err%%: *}" "4/pavina-cli" "an absent port"
mkdir "$prefix/com$absent-link"
cli status --port "$absent"
rmdir "$prefix/com$absent-link"
echo "a port that cannot be opened: $err"
check_eq "$code/$err" "4/pavina-cli: COM$absent: port in use" "a port that cannot be opened"

echo "wine-cli: all $checks checks held"
