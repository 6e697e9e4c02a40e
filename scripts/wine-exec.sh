#!/usr/bin/env bash
# Runs a Windows program under Wine in the given private prefix (prepared on first use).
#   wine-exec.sh PREFIX PROGRAM.exe [ARGS...]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
prefix=$(realpath -m "${1:?usage: wine-exec.sh PREFIX PROGRAM [ARGS...]}")
shift
"$here/wine-prefix.sh" "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
