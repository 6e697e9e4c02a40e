#!/usr/bin/env bash
# Runs a command with the inserter simulator behind a COM port of a Wine prefix, and stops
# the simulator by its PID afterwards, whatever happened. The command's status is the result.
#   run-with-simulator.sh SIMULATOR PREFIX PORT [SIMULATOR OPTIONS...] -- COMMAND [ARGS...]
# e.g. run-with-simulator.sh .../inserter-sim build/wineprefix 15 --status "Unit 1" -- \
#        scripts/wine-exec.sh build/wineprefix tests.exe --port 15
set -uo pipefail
here=$(dirname "$(realpath "$0")")
simulator_sh=$here/../../scripts/simulator.sh
[ $# -ge 5 ] || { echo "usage: run-with-simulator.sh SIMULATOR PREFIX PORT [OPTIONS...] -- COMMAND..." >&2; exit 2; }
export INSERTER_SIM=$1
prefix=$2
port=$3
shift 3
options=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  options+=("$1")
  shift
done
[ "${1:-}" = "--" ] && [ $# -ge 2 ] || { echo "run-with-simulator.sh: no command after --" >&2; exit 2; }
shift

trap '"$simulator_sh" stop "$prefix" "$port"' EXIT
"$simulator_sh" start "$prefix" "$port" "${options[@]}" || exit 1
"$@"
