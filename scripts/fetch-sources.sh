#!/usr/bin/env bash
# Unpacks Debian's source packages of libjpeg-turbo (cross-built for Windows, and its
# test images), giflib (its sample pictures), libpng1.6 and zlib (cross-built for Windows;
# libpng's PngSuite) into <deps>/src. Done once, then reused.
# The deb-src entries (the machine's own Debian mirrors, see debian-source-lines.sh) live
# in a private apt state under <deps>/apt, so nothing is added to the machine's apt
# configuration and no root is needed.
set -euo pipefail
deps=$(realpath -m "${1:?usage: fetch-sources.sh DEPS_DIR}")
mkdir -p "$deps/src"
exec 9>"$deps/.fetch.lock"
flock 9

packages=(libjpeg-turbo:libjpeg-turbo giflib:giflib libpng1.6:libpng zlib:zlib)
todo=0
for entry in "${packages[@]}"; do
  [ -f "$deps/src/${entry#*:}/.unpacked" ] || todo=1
done
[ $todo -eq 1 ] || exit 0

apt_dir=$deps/apt
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
"$(dirname "$0")/debian-source-lines.sh" >"$apt_dir/sources.list.d/debian-src.sources"
[ -s "$apt_dir/sources.list.d/debian-src.sources" ] ||
  { echo "fetch-sources: no Debian source in /etc/apt to fetch source packages from" >&2; exit 1; }
apt_private=(
  -o Dir::Etc::SourceList=/dev/null
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache=$apt_dir/cache"
  -o Debug::NoLocking=1
  # apt's download user could not write into a folder owned by whoever runs the build.
  -o APT::Sandbox::User="$(id -un)"
)

updated=0
update() {
  [ $updated -eq 1 ] && return 0
  local attempt
  for attempt in 1 2 3; do
    if apt-get "${apt_private[@]}" update -qq 2>"$apt_dir/update.log" &&
      ! grep -q '^[EW]: Failed to fetch' "$apt_dir/update.log"; then
      updated=1
      return 0
    fi
    [ $attempt -lt 3 ] && sleep 10
  done
  # Some index may still be usable; apt-get source says if the one we need is not.
  cat "$apt_dir/update.log" >&2
  updated=1
}

fetch() { # package, folder to unpack into
  local pkg=$1 dir=$deps/src/$2
  [ -f "$dir/.unpacked" ] && return 0
  update
  local tmp
  tmp=$(mktemp -d "$deps/src/.fetch-XXXXXX")
  # A mirror caught mid-sync may list a newer version than its pool holds yet: then the
  # base suite's version, which the same release builds alike.
  if ! (cd "$tmp" && apt-get "${apt_private[@]}" source -qq --download-only "$pkg" \
    >/dev/null 2>"$apt_dir/source.log"); then
    echo "fetch-sources: $pkg: the newest source failed to download; taking $codename's"
    rm -f "$tmp"/*
    (cd "$tmp" && apt-get "${apt_private[@]}" source -qq --download-only "$pkg/$codename" \
      >/dev/null) || { cat "$apt_dir/source.log" >&2; rm -rf "$tmp"; exit 1; }
  fi
  rm -rf "$dir"
  (cd "$tmp" && dpkg-source -x --no-check ./*.dsc "$dir" >/dev/null)
  rm -rf "$tmp"
  touch "$dir/.unpacked"
}

for entry in "${packages[@]}"; do
  fetch "${entry%%:*}" "${entry#*:}"
done
