#!/usr/bin/env bash
# Packs what a Windows operator downloads, from a Windows build of this tree:
#   make-dist.sh WIN_BUILD_DIR OUT.zip
# The zip holds Pavina.exe and pavina-cli.exe without their debugging information, the
# help page pavina_help.htm with the pictures it shows, README.txt and LICENSE.txt, side by
# side, with Windows line ends in the texts and fixed file times (those of the last
# commit), so that the same tree gives the same zip.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
root=$(realpath "$here/..")
build=$(realpath "${1:?usage: make-dist.sh WIN_BUILD_DIR OUT.zip}")
out=$(realpath -m "${2:?usage: make-dist.sh WIN_BUILD_DIR OUT.zip}")

programs=("$build/ui/Pavina.exe" "$build/tools/pavina-cli/pavina-cli.exe")
for program in "${programs[@]}"; do
  [ -f "$program" ] || { echo "make-dist: $program is missing; build the Windows tree first" >&2; exit 1; }
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "${programs[@]}" "$stage/"
# The build keeps its debugging information; the operator's copies go without it.
for program in "$stage"/*.exe; do i686-w64-mingw32-strip --strip-debug "$program"; done
for text in README.txt:docs/windows-readme.txt LICENSE.txt:LICENSE; do
  sed 's/\r*$/\r/' "$root/${text#*:}" >"$stage/${text%%:*}"
done

# The help page, wherever in the tree it lives, and every local file it refers to.
help=$(find "$root" \( -path "$root/build" -o -path "$root/.git" \) -prune -o \
  -name pavina_help.htm -type f -print | head -n 1)
if [ -n "$help" ]; then
  help_dir=$(dirname "$help")
  cp "$help" "$stage/"
  grep -oiE "(src|href|background)=(\"[^\"]*\"|'[^']*')" "$help" |
    sed -E "s/^[^=]*=.(.*).$/\1/" | sed 's/[#?].*//' | sort -u |
    while read -r ref; do
      case $ref in '' | *:* | /* | *..*) continue ;; esac
      [ -f "$help_dir/$ref" ] || continue
      mkdir -p "$stage/$(dirname "$ref")"
      cp "$help_dir/$ref" "$stage/$ref"
    done
else
  echo "make-dist: pavina_help.htm is not in the tree yet: the zip goes without the help page" >&2
fi

stamp=$(git -C "$root" log -1 --format=%cI 2>/dev/null || echo 2000-01-01T00:00:00Z)
find "$stage" -exec touch -d "$stamp" {} +
mkdir -p "$(dirname "$out")"
rm -f "$out"
(cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | zip -X -q "$out" -@)
echo "make-dist: $out"
unzip -l "$out" | sed -n '4,$p' | sed '$d' | sed '$d' | awk '{print "  " $4}'
