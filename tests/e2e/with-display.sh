#!/usr/bin/env bash
# Runs a Windows program under Wine on the end-to-end fixture's display and prefix (for
# tests that need real windows).   with-display.sh STATE_DIR PROGRAM.exe [ARGS...]
set -euo pipefail
state=${1:?usage: with-display.sh STATE_DIR PROGRAM [ARGS...]}
shift
# shellcheck source=/dev/null
source "$state/env"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@" </dev/null
