#!/usr/bin/env bash
# The deb-src entries that set-up adds follow the machine's own Debian entries, in both
# forms of apt's source files, and leave out other vendors, disabled entries and suites
# of other releases.
set -euo pipefail
script=$(dirname "$(realpath "$0")")/../../scripts/debian-source-lines.sh
apt=$(mktemp -d)
trap 'rm -rf "$apt"' EXIT
mkdir -p "$apt/sources.list.d"
cat >"$apt/sources.list" <<'ONE'
# deb http://commented.example/debian bookworm main
deb [arch=amd64 signed-by=/keys/mirror.gpg] http://mirror.example/debian bookworm main contrib
deb http://mirror.example/debian-security bookworm-security main
deb-src http://already.example/debian bookworm main
deb https://vendor.example/apt nodistro main
deb http://mirror.example/debian trixie main
ONE
cat >"$apt/sources.list.d/debian.sources" <<'DEB822'
Types: deb
# a comment inside the entry
URIs: http://other.example/debian
Suites: bookworm bookworm-updates trixie
Components: main
Signed-By: /keys/debian.gpg

Types: deb
Enabled: no
URIs: http://disabled.example/debian
Suites: bookworm
Components: main

Types: deb-src
URIs: http://sources.example/debian
Suites: bookworm
Components: main
DEB822
printf 'deb https://cloud.example/apt cloud-sdk-bookworm main\n' >"$apt/sources.list.d/vendor.list"

expected='Types: deb-src
URIs: http://mirror.example/debian
Suites: bookworm
Components: main contrib
Signed-By: /keys/mirror.gpg

Types: deb-src
URIs: http://mirror.example/debian-security
Suites: bookworm-security
Components: main

Types: deb-src
URIs: http://other.example/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /keys/debian.gpg'
actual=$(DEBIAN_CODENAME=bookworm "$script" "$apt")
if [ "$actual" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$actual") >&2 || true
  echo "FAIL: deb-src entries differ (expected <, got >)" >&2
  exit 1
fi
echo "deb-src entries: as expected"
