# Shared steps of the end-to-end tests; sourced by each test-*.sh. The environment names
# the pieces: E2E_STATE (the fixture's folder), PAVINA_EXE, DRIVER_EXE, INSERTER_SIM and
# E2E_SCREENSHOTS. Everything a test starts is stopped by its PID when the test ends.
set -euo pipefail
# shellcheck source=/dev/null
source "$E2E_STATE/env"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

E2E_NAME=$(basename "$0" .sh)
WORK=$E2E_STATE/$E2E_NAME
rm -rf "$WORK"
mkdir -p "$WORK" "$E2E_SCREENSHOTS"
STARTED_PIDS=()
PAVINA_PID=
CHECKS=0

cleanup() {
  local pid
  for pid in "${STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${STARTED_PIDS[@]}"; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  done
}
trap cleanup EXIT

fail() {
  echo "FAIL [$E2E_NAME]: $*" >&2
  import -display "$DISPLAY" -window root "$WORK/failure.png" 2>/dev/null || true
  echo "screen at the failure: $WORK/failure.png" >&2
  exit 1
}

check_eq() { # actual expected what
  CHECKS=$((CHECKS + 1))
  [ "$1" = "$2" ] || fail "$3: got \"$1\", expected \"$2\""
}

# The driver, on the fixture's display; its output is what it read.
drv() { wine "$DRIVER_EXE" "$@" </dev/null | tr -d '\r'; }

# No COM port leads anywhere until a test links one.
reset_ports() {
  local n
  for n in $(seq 1 32); do rm -rf "$WINEPREFIX/com$n-link"; done
}

# A port that exists but cannot be opened, as if another program held it.
hold_port() { rm -rf "$WINEPREFIX/com$1-link"; mkdir "$WINEPREFIX/com$1-link"; }

# start_simulator PORT [OPTIONS...]: an inserter on COM PORT, with its transcript, the
# logo it receives and a control FIFO in WORK.
start_simulator() {
  local port=$1
  shift
  local out=$WORK/sim$port
  setsid "$INSERTER_SIM" --link "$WINEPREFIX/com$port-link" --transcript "$out.transcript" \
    --logo-out "$out-logo" --control "$out.fifo" "$@" </dev/null >"$out.out" 2>&1 &
  STARTED_PIDS+=($!)
  for _ in $(seq 100); do grep -q '^pty ' "$out.out" 2>/dev/null && return 0; sleep 0.1; done
  fail "the simulator on COM$port did not start: $(cat "$out.out")"
}

simulator_control() { echo "$2" >"$WORK/sim$1.fifo"; } # PORT SETTING

# The position commands the simulator on PORT has received, one "x y" a line.
simulator_positions() {
  sed -n 's/.*# position \([0-9]*\) \([0-9]*\)$/\1 \2/p' "$WORK/sim$1.transcript"
}

# A fresh copy of the program in its own folder, with the given settings file text (or
# none when the argument is missing).
install_pavina() {
  APP=$WORK/app
  rm -rf "$APP"
  mkdir -p "$APP"
  cp "$PAVINA_EXE" "$APP/Pavina.exe"
  if [ $# -gt 0 ]; then printf '%s' "$1" >"$APP/pavina.ini"; fi
}

start_pavina() {
  (cd "${1:-$WORK}" && exec setsid wine "$APP/Pavina.exe" </dev/null >"$WORK/pavina.out" 2>&1) &
  PAVINA_PID=$!
  STARTED_PIDS+=("$PAVINA_PID")
}

pavina_running() { kill -0 "$PAVINA_PID" 2>/dev/null; }

# Waits for the program to end by itself; a "Memory Leak" box on the way fails the test.
wait_pavina_end() {
  for _ in $(seq 300); do
    pavina_running || return 0
    if [ "$(drv exists '#32770|Memory Leak')" = 1 ]; then
      fail "the leak report: $(drv box 'Memory Leak' | grep '^text=')"
    fi
    sleep 0.1
  done
  fail "the program did not end"
}

start_ready_pavina() { # SIMULATOR_STATUS_TEXT: up and showing the inserter
  start_pavina
  drv wait-window TMainForm 60000 >/dev/null || fail "no main window"
  drv wait-text TMainForm name:stProcess "$1 Ready" 20000 || fail "the inserter was not found"
}

# A screenshot of one window, cut out of the screen, into E2E_SCREENSHOTS.
screenshot_window() { # WINDOW_SPEC FILE
  local geometry left top width height
  geometry=$(drv geometry "$1")
  left=$(sed 's/.*left=\([-0-9]*\).*/\1/' <<<"$geometry")
  top=$(sed 's/.*top=\([-0-9]*\).*/\1/' <<<"$geometry")
  width=$(sed 's/.*width=\([0-9]*\).*/\1/' <<<"$geometry")
  height=$(sed 's/.*height=\([0-9]*\).*/\1/' <<<"$geometry")
  import -display "$DISPLAY" -window root -crop "${width}x${height}+${left}+${top}" +repage \
    "$E2E_SCREENSHOTS/$2"
}

# Pictures: PICTURE quantised as the inserter keeps it (6 bits of each component), and
# the number of pixels in which two pictures differ.
inserter_colours() { convert "$1" -depth 8 -fx '4*floor(u*255/4+0.001)/255' -type TrueColor "BMP3:$2"; }
inserter_key() { convert "$1" -depth 8 -fx '4*floor(u.g*255/4+0.001)/255' -type TrueColor "BMP3:$2"; }
pixels_differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

passed() { echo "$E2E_NAME: all $CHECKS checks held"; }
