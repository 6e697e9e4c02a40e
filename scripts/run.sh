#!/usr/bin/env bash
# make run: Pavina against the inserter simulator.
#   run.sh NATIVE_DIR WIN_DIR PREFIX
# Starts the simulator on a pseudo-terminal linked as COM2 of the Wine prefix PREFIX,
# copies Pavina.exe beside a fresh pavina.ini and runs it: on $DISPLAY until it is closed,
# or, with no display, under Xvfb, where it writes a screenshot once the program has found
# the inserter, prints its path and ends the program. Everything started is stopped by PID.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
native=$(realpath "${1:?usage: run.sh NATIVE_DIR WIN_DIR PREFIX}")
win=$(realpath "${2:?usage: run.sh NATIVE_DIR WIN_DIR PREFIX}")
prefix=$(realpath -m "${3:?usage: run.sh NATIVE_DIR WIN_DIR PREFIX}")
run=$win/run
screenshot=$run/pavina-run.png
driver=$win/tests/e2e/driver/driver.exe
export INSERTER_SIM=$native/tools/inserter-sim/inserter-sim
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=
server_started=
cleanup() {
  "$here/simulator.sh" stop "$prefix" 2 || true
  if [ -n "$server_started" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

"$here/wine-prefix.sh" "$prefix"
rm -rf "$run"
mkdir -p "$run"
cp "$win/ui/Pavina.exe" "$run/Pavina.exe"
cp "$here"/../ui/help/*.htm "$here"/../ui/help/*.jpg "$here"/../ui/help/*.gif "$run/"
printf '[VARS]\r\nCOM=2\r\nO=5\r\n' >"$run/pavina.ini"
"$here/simulator.sh" start "$prefix" 2 --transcript "$run/simulator-transcript.txt" \
  --logo-out "$run/received-logo"

if [ -n "${DISPLAY:-}" ]; then
  echo "Pavina runs on $DISPLAY; the simulator's transcript: $run/simulator-transcript.txt"
  wine "$run/Pavina.exe" </dev/null
  exit 0
fi

# No display: a private Xvfb, and Wine's services started detached on it.
display=$("$here/xvfb-start.sh" "$run/xvfb.pid")
xvfb_pid=$(cat "$run/xvfb.pid")
export DISPLAY=$display
wineserver -k >/dev/null 2>&1 || true  # a server left from a run without this display
setsid wineserver -f -p </dev/null >/dev/null 2>&1 &
server_started=1
setsid wineboot </dev/null >/dev/null 2>&1 || true

setsid wine "$run/Pavina.exe" </dev/null >"$run/pavina.log" 2>&1 &
pavina_pid=$!
status=
if [ -f "$driver" ]; then
  if wine "$driver" wait-text TMainForm name:stProcess "Logo Inserter Simulator Ready" 60000 \
    </dev/null; then
    status="Logo Inserter Simulator Ready"
  fi
else
  sleep 10
fi
import -display "$DISPLAY" -window root "$screenshot"
echo "Pavina's status line: ${status:-(not read: the inserter was not found in time)}"
echo "Screenshot: $screenshot"
if [ -f "$driver" ]; then wine "$driver" close TMainForm </dev/null || true; fi
for _ in $(seq 100); do kill -0 "$pavina_pid" 2>/dev/null || break; sleep 0.1; done
kill "$pavina_pid" 2>/dev/null || true
[ -n "$status" ]
