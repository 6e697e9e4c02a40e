#!/usr/bin/env bash
# Unpacks Debian's source packages of libjpeg-turbo (cross-built for Windows, and its
# test images) and giflib (its sample pictures) into <deps>/src. Done once, then reused.
set -euo pipefail
deps=$(realpath -m "${1:?usage: fetch-sources.sh DEPS_DIR}")
mkdir -p "$deps/src"
exec 9>"$deps/.fetch.lock"
flock 9

fetch() { # package, folder to unpack into
  local pkg=$1 dir=$deps/src/$2
  [ -f "$dir/.unpacked" ] && return 0
  local tmp
  tmp=$(mktemp -d "$deps/src/.fetch-XXXXXX")
  (cd "$tmp" && apt-get source -qq --download-only "$pkg" >/dev/null 2>&1 ||
    { apt-get update -qq && apt-get source -qq --download-only "$pkg" >/dev/null; })
  rm -rf "$dir"
  (cd "$tmp" && dpkg-source -x --no-check ./*.dsc "$dir" >/dev/null)
  rm -rf "$tmp"
  touch "$dir/.unpacked"
}

fetch libjpeg-turbo libjpeg-turbo
fetch giflib giflib
