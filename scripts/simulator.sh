#!/usr/bin/env bash
# Starts and stops the inserter simulator behind a COM port of a Wine prefix.
#   simulator.sh start PREFIX PORT [SIMULATOR OPTIONS...]
#   simulator.sh stop PREFIX PORT
# start makes sure the prefix exists (scripts/wine-prefix.sh maps COMn to PREFIX/comn-link),
# starts the simulator in the background with its link at PREFIX/comPORT-link, waits until
# its pseudo-terminal is up, prints the simulator's "pty ..." line and records its PID in
# PREFIX/comPORT-sim.pid; the simulator's messages go to PREFIX/comPORT-sim.log.
# stop ends the simulator recorded for that port by its PID (the simulator removes its link).
# The simulator is $INSERTER_SIM, or build/native/tools/inserter-sim/inserter-sim.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
usage="usage: simulator.sh start PREFIX PORT [SIMULATOR OPTIONS...] | stop PREFIX PORT"
[ $# -ge 3 ] || { echo "$usage" >&2; exit 2; }
action=$1
prefix=$(realpath -m "$2")
port=$3
shift 3
case $port in '' | *[!0-9]*) echo "simulator.sh: the port must be a number: $port" >&2; exit 2 ;; esac
sim=${INSERTER_SIM:-$here/../build/native/tools/inserter-sim/inserter-sim}
base=$prefix/com$port
pidfile=$base-sim.pid

# True while the recorded PID is still our simulator on this port (not a reused PID).
is_ours() {
  tr '\0' ' ' <"/proc/$1/cmdline" 2>/dev/null | grep -qF -- "--link $base-link "
}

stop() {
  [ -f "$pidfile" ] || return 0
  local pid
  pid=$(cat "$pidfile")
  rm -f "$pidfile"
  is_ours "$pid" || return 0
  kill -TERM "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do
    is_ours "$pid" || return 0
    sleep 0.1
  done
  kill -KILL "$pid" 2>/dev/null || true
}

case $action in
  start)
    [ -x "$sim" ] || { echo "simulator.sh: no simulator at $sim; build the native tree first" >&2; exit 1; }
    "$here/wine-prefix.sh" "$prefix"
    stop  # one simulator a port
    out=$base-sim.out
    rm -f "$out"
    "$sim" --link "$base-link" "$@" >"$out" 2>"$base-sim.log" </dev/null &
    pid=$!
    echo "$pid" >"$pidfile"
    for _ in $(seq 100); do
      if grep -q '^pty ' "$out" 2>/dev/null; then
        cat "$out"
        exit 0
      fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    echo "simulator.sh: the simulator did not start:" >&2
    cat "$base-sim.log" >&2
    stop
    exit 1
    ;;
  stop) stop ;;
  *) echo "$usage" >&2; exit 2 ;;
esac
