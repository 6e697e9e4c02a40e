#!/usr/bin/env bash
# Keeps one wineserver up for a whole test run, and stops it by its PID afterwards.
#   wine-server.sh start|stop PREFIX
set -euo pipefail
here=$(dirname "$(realpath "$0")")
action=${1:?usage: wine-server.sh start|stop PREFIX}
prefix=$(realpath -m "${2:?usage: wine-server.sh start|stop PREFIX}")
pidfile=$prefix.server-pid
export WINEPREFIX=$prefix WINEDEBUG=-all

case $action in
  start)
    "$here/wine-prefix.sh" "$prefix"
    if [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null; then exit 0; fi
    setsid wineserver -f -p >/dev/null 2>&1 </dev/null &
    echo $! >"$pidfile"
    # Start Wine's background services now, detached from the caller's output: started by
    # a test program instead, they would inherit its pipes and hold the test runner.
    setsid wineboot </dev/null >/dev/null 2>&1 || true
    ;;
  stop)
    [ -f "$pidfile" ] || exit 0
    pid=$(cat "$pidfile")
    rm -f "$pidfile"
    # Let the server end its clients cleanly, then make sure it is gone.
    wineserver -k >/dev/null 2>&1 || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || exit 0; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
    ;;
  *) echo "usage: wine-server.sh start|stop PREFIX" >&2; exit 2 ;;
esac
