#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Pavina.
# Idempotent: when everything is present it returns at once, without calling apt.
# A Debian mirror caught mid-sync serves some package indexes that disagree with its
# release file; set-up retries them, goes on without them, and if the install then cannot
# be resolved, prefers the machine's base suite for that one command. It writes nothing
# to apt's configuration (source packages are fetched through a private apt state, see
# fetch-sources.sh).
#   SETUP_RETRIES (3) and SETUP_PAUSE (seconds, 15) tune the index retries; SETUP_APT_DIR
#   (/etc/apt) is where an earlier set-up's deb-src file is looked for.
set -euo pipefail

packages=(
  cmake make g++ pkg-config nasm
  g++-mingw-w64-i686 mingw-w64-i686-dev
  libjpeg-dev libpng-dev libgtest-dev libgif-dev
  wine wine32:i386 xvfb x11-utils xauth
  fonts-liberation fonts-dejavu-core fonts-wine
  imagemagick dpkg-dev
  zip unzip
  # the fuzzers: libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer
  clang libclang-rt-14-dev
  # HTML pages nobody here wrote, for the parser's corpus test; the parser benchmark's peer
  git-doc liblitehtml-dev
)
retries=${SETUP_RETRIES:-3}
pause=${SETUP_PAUSE:-15}
# Earlier versions of this script added deb-src entries here; they are no longer needed.
stale_sources=${SETUP_APT_DIR:-/etc/apt}/sources.list.d/pavina-deb-src.sources

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done

need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1

if [ ${#missing[@]} -eq 0 ] && [ $need_i386 -eq 0 ] && [ ! -e "$stale_sources" ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing ${missing[*]:-} (i386 architecture missing: $need_i386); run as root" >&2
  exit 1
fi

if [ -e "$stale_sources" ]; then
  rm -f "$stale_sources"
  echo "setup: removed $stale_sources, which an earlier set-up added"
fi
if [ $need_i386 -eq 1 ]; then
  dpkg --add-architecture i386
fi
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
# Another install may hold apt's locks: wait for it rather than fail.
apt_wait=(-o DPkg::Lock::Timeout=900)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# apt-get update, retried while indexes fail; leaves the URLs that still failed in
# failed_indexes (one a line).
failed_indexes=""
for attempt in $(seq "$retries"); do
  rc=0
  apt-get "${apt_wait[@]}" update -qq >"$log" 2>&1 || rc=$?
  failed_indexes=$(sed -n 's/^[EW]: Failed to fetch \([^ ]*\).*/\1/p' "$log" | sort -u)
  if [ $rc -eq 0 ] && [ -z "$failed_indexes" ]; then
    break
  fi
  if [ -z "$failed_indexes" ]; then
    # Not an index that failed (no network, a broken sources file): nothing to wait for.
    cat "$log" >&2
    echo "setup: apt-get update failed (exit $rc); see the lines above" >&2
    exit 1
  fi
  if [ "$attempt" -lt "$retries" ]; then
    echo "setup: $(wc -l <<<"$failed_indexes") package index(es) failed to download;" \
      "trying again in $pause s ($attempt of $retries)"
    sleep "$pause"
  fi
done
if [ -n "$failed_indexes" ]; then
  echo "setup: going on without these package indexes, which failed to download:"
  sed 's/^/  /' <<<"$failed_indexes"
fi

apt_install() { # extra apt-get options...
  apt-get "${apt_wait[@]}" install -y -qq --no-install-recommends "$@" "${packages[@]}" \
    >"$log" 2>&1
}

if ! apt_install; then
  if [ -z "$failed_indexes" ]; then
    cat "$log" >&2
    echo "setup: apt-get install failed; see the lines above" >&2
    exit 1
  fi
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [ -n "$codename" ] || { cat "$log" >&2; echo "setup: no release codename in /etc/os-release" >&2; exit 1; }
  echo "setup: the install failed with indexes missing; trying once more with $codename preferred (-t $codename)"
  if ! apt_install -t "$codename"; then
    grep '^E:' "$log" >&2 || cat "$log" >&2
    {
      echo
      echo "setup: the packages could not be installed, because these package indexes failed"
      echo "to download:"
      sed 's/^/  /' <<<"$failed_indexes"
      echo "The machine's Debian mirror is in the middle of a sync or is broken, so the"
      echo "package versions it lists disagree. Wait an hour or so and run this again, or"
      echo "point the machine at another Debian mirror (in /etc/apt/sources.list.d) and run"
      echo "it again."
    } >&2
    exit 1
  fi
fi
echo "setup: installed ${missing[*]}"
