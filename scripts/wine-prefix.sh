#!/usr/bin/env bash
# Prepares a private Wine prefix once and reuses it. Prints nothing on success.
#   wine-prefix.sh PREFIX
# The prefix gets: no Mono/Gecko prompts, Wine's own window frames (there is no window
# manager under Xvfb), and fixed COM port mappings COM1..COM32 -> PREFIX/comN-link, which
# each test re-points at its own pseudo-terminal (Wine rewrites dosdevices/comN at start
# for the ports in this registry key, so a plain dosdevices link would not survive).
set -euo pipefail
prefix=$(realpath -m "${1:?usage: wine-prefix.sh PREFIX}")
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.pavina-ready-3" ] && exit 0

export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$prefix"
wineboot -i >/dev/null 2>&1 || true
reg=$(mktemp --suffix=.reg)
{
  printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\r\n'
  for n in $(seq 1 32); do
    printf '"COM%d"="%s"\r\n' "$n" "$(printf '%s' "$prefix/com$n-link" | sed 's/\\/\\\\/g')"
  done
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n"Decorated"="Y"\r\n'
  # The help page's fonts: the metric-compatible Liberation faces stand in for them.
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  printf '"Times New Roman"="Liberation Serif"\r\n"Courier New"="Liberation Mono"\r\n'
  printf '"Arial"="Liberation Sans"\r\n'
} >"$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
rm -f "$reg"
wineserver -w
# Debian's Wine does not find its own fonts (Marlett draws the caption buttons) where
# fonts-wine puts them: give the prefix a copy.
if [ -d /usr/share/wine/fonts ]; then
  cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
fi
touch "$prefix/.pavina-ready-3"
