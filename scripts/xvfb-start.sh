#!/usr/bin/env bash
# Starts a detached Xvfb on a display that Xvfb itself finds free (-displayfd: it skips
# displays whose lock file or socket, in /tmp or the abstract namespace, is taken), so two
# runs on one machine, or in two roots that share the abstract sockets, never collide.
#   xvfb-start.sh PIDFILE   writes Xvfb's PID to PIDFILE and prints the display (":N")
set -euo pipefail
pidfile=${1:?usage: xvfb-start.sh PIDFILE}
numberfile=$(mktemp)
trap 'rm -f "$numberfile"' EXIT
setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
  3>"$numberfile" </dev/null >/dev/null 2>&1 &
echo $! >"$pidfile"
# Xvfb writes the number once it accepts connections.
for _ in $(seq 200); do
  if [ -s "$numberfile" ] && grep -q '^[0-9][0-9]*$' "$numberfile"; then
    echo ":$(head -n 1 "$numberfile")"
    exit 0
  fi
  kill -0 "$(cat "$pidfile")" 2>/dev/null || break
  sleep 0.05
done
kill "$(cat "$pidfile")" 2>/dev/null || true
echo "xvfb-start: Xvfb did not start" >&2
exit 1
