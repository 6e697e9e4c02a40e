#!/usr/bin/env bash
# The end-to-end tests' shared surroundings, started once and stopped by PID:
#   fixture.sh start STATE_DIR   an Xvfb on a display it finds free itself, a private Wine
#                                prefix with its own wineserver and Wine's services started
#                                on that display
#   fixture.sh stop STATE_DIR
# STATE_DIR/env then holds DISPLAY and WINEPREFIX for the tests.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
root=$(realpath "$here/../..")
action=${1:?usage: fixture.sh start|stop STATE_DIR}
state=$(realpath -m "${2:?usage: fixture.sh start|stop STATE_DIR}")
prefix=$state/prefix
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

stop_pid() { # pidfile
  [ -f "$1" ] || return 0
  local pid
  pid=$(cat "$1")
  rm -f "$1"
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
}

stop_all() {
  if [ -f "$state/wineserver.pid" ]; then
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    stop_pid "$state/wineserver.pid"
  fi
  stop_pid "$state/xvfb.pid"
}

case $action in
  start)
    mkdir -p "$state"
    stop_all
    display=$("$root/scripts/xvfb-start.sh" "$state/xvfb.pid") || { stop_all; exit 1; }

    "$root/scripts/wine-prefix.sh" "$prefix"
    export DISPLAY=$display WINEPREFIX=$prefix
    setsid wineserver -f -p </dev/null >/dev/null 2>&1 &
    echo $! >"$state/wineserver.pid"
    # Wine's services and desktop start now, detached from the test runner's output.
    setsid wineboot </dev/null >/dev/null 2>&1 || true
    printf 'export DISPLAY=%s\nexport WINEPREFIX=%s\n' "$display" "$prefix" >"$state/env"
    ;;
  stop)
    stop_all
    rm -f "$state/env"
    ;;
  *) echo "usage: fixture.sh start|stop STATE_DIR" >&2; exit 2 ;;
esac
