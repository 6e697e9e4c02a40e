#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Pavina.
# Idempotent: when everything is present it returns in well under a second.
set -euo pipefail

packages=(
  cmake make g++ pkg-config nasm
  g++-mingw-w64-i686 mingw-w64-i686-dev
  libjpeg-dev libgtest-dev libgif-dev
  wine wine32:i386 xvfb x11-utils xauth
  fonts-liberation fonts-dejavu-core fonts-wine
  imagemagick dpkg-dev
  zip unzip
  # the fuzzers: libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer
  clang libclang-rt-14-dev
  # HTML pages nobody here wrote, for the parser's corpus test; the parser benchmark's peer
  git-doc liblitehtml-dev
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done

need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1

# Sources of libjpeg-turbo and giflib come from Debian's own source packages.
need_src=0
grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ ||
  grep -qs '^deb-src ' /etc/apt/sources.list || need_src=1

if [ ${#missing[@]} -eq 0 ] && [ $need_i386 -eq 0 ] && [ $need_src -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing ${missing[*]:-} (need_i386=$need_i386 deb-src=$need_src); run as root" >&2
  exit 1
fi

if [ $need_i386 -eq 1 ]; then
  dpkg --add-architecture i386
fi
if [ $need_src -eq 1 ]; then
  # The machine's own Debian sources with deb-src, so that any mirror it uses serves them.
  src_lines=$("$(dirname "$0")/debian-source-lines.sh")
  [ -n "$src_lines" ] || { echo "setup: no Debian source in /etc/apt to add deb-src for" >&2; exit 1; }
  printf '%s\n' "$src_lines" >/etc/apt/sources.list.d/pavina-deb-src.sources
fi

export DEBIAN_FRONTEND=noninteractive
# Another install may hold apt's locks: wait for it rather than fail.
apt_wait=(-o DPkg::Lock::Timeout=900)
apt-get "${apt_wait[@]}" update -qq
apt-get "${apt_wait[@]}" install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
echo "setup: installed ${missing[*]:-nothing new}"
