#!/usr/bin/env bash
# Set-up against a mirror caught mid-sync, without the network: stub apt-get, dpkg-query,
# dpkg and id on PATH play a mirror whose i386 security index fails to download and an
# install that only resolves with the base suite preferred. Each case checks the apt calls
# made, what set-up says, its exit code, and that /etc/apt is left as it was.
set -euo pipefail
setup=$(dirname "$(realpath "$0")")/../../scripts/setup.sh
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
broken_index=http://mirror.invalid/debian-security/dists/$codename-security/main/binary-i386/Packages.xz

mkdir -p "$work/bin"
# The stubs read their behaviour from $STUB/: update-failures (how many updates fail),
# install-fails (plain installs fail), pinned-fails (installs with -t fail too),
# installed (dpkg-query reports every package installed); they log to $STUB/calls.
cat >"$work/bin/apt-get" <<EOF
#!/usr/bin/env bash
echo "apt-get \$*" >>"\$STUB/calls"
case " \$* " in
  *" update "*)
    n=\$(cat "\$STUB/update-failures" 2>/dev/null || echo 0)
    if [ "\$n" -gt 0 ]; then
      echo \$((n - 1)) >"\$STUB/update-failures"
      echo "E: Failed to fetch $broken_index  File has unexpected size (374820 != 376004). Mirror sync in progress?"
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
      exit 100
    fi ;;
  *" install "*)
    if [ -e "\$STUB/install-fails" ] && { [[ " \$* " != *" -t "* ]] || [ -e "\$STUB/pinned-fails" ]; }; then
      echo "E: Unable to correct problems, you have held broken packages."
      exit 100
    fi
    touch "\$STUB/installed" ;;
esac
EOF
cat >"$work/bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
[ -e "$STUB/installed" ] && printf installed || printf not-installed
EOF
cat >"$work/bin/dpkg" <<'EOF'
#!/usr/bin/env bash
echo "dpkg $*" >>"$STUB/calls"
[ "$1" = --print-foreign-architectures ] && echo i386
exit 0
EOF
printf '#!/bin/sh\necho 0\n' >"$work/bin/id"
chmod +x "$work"/bin/*

before=$(find /etc/apt -exec stat -c '%n %s %Y' {} + 2>/dev/null | sort)
failures=0
fail() { echo "FAIL [$name]: $*" >&2; failures=$((failures + 1)); }

# name | update failures | install fails | pinned fails | installed | exit | apt-get updates | installs | installs with -t | messages expected (;-separated)
while IFS='|' read -r name update_failures install_fails pinned_fails installed exit_code \
  updates installs pinned messages; do
  [ -n "$name" ] || continue
  stub=$work/$name
  mkdir -p "$stub/apt/sources.list.d"
  echo "$update_failures" >"$stub/update-failures"
  [ "$install_fails" = yes ] && touch "$stub/install-fails"
  [ "$pinned_fails" = yes ] && touch "$stub/pinned-fails"
  [ "$installed" = yes ] && touch "$stub/installed"
  rc=0
  STUB=$stub PATH=$work/bin:$PATH SETUP_PAUSE=0 SETUP_APT_DIR=$stub/apt \
    "$setup" >"$stub/out" 2>&1 || rc=$?
  calls=$(cat "$stub/calls" 2>/dev/null || true)
  [ "$rc" = "$exit_code" ] || fail "exit $rc, expected $exit_code"
  n=$(grep -c '^apt-get .* update' <<<"$calls" || true)
  [ "$n" = "$updates" ] || fail "$n updates, expected $updates"
  n=$(grep -c '^apt-get .* install' <<<"$calls" || true)
  [ "$n" = "$installs" ] || fail "$n installs, expected $installs"
  n=$(grep -c "^apt-get .* install .*-t $codename " <<<"$calls" || true)
  [ "$n" = "$pinned" ] || fail "$n installs with -t $codename, expected $pinned"
  IFS=';' read -ra wanted <<<"$messages"
  for m in "${wanted[@]}"; do
    m=${m//@codename@/$codename}
    m=${m//@index@/$broken_index}
    grep -qF -- "$m" "$stub/out" || fail "no \"$m\" in: $(cat "$stub/out")"
  done
  if [ "$rc" != 0 ] && tail -n 1 "$stub/out" | grep -q '^E:'; then
    fail "the last line is apt's: $(tail -n 1 "$stub/out")"
  fi
done <<'CASES'
healthy|0|no|no|no|0|1|1|0|setup: installed
index fails once|1|no|no|no|0|2|1|0|setup: installed
index stays broken, install fine|5|no|no|no|0|3|1|0|going on without these package indexes;@index@;setup: installed
base suite resolves it|5|yes|no|no|0|3|2|1|@index@;trying once more with @codename@ preferred (-t @codename@);setup: installed
base suite fails too|5|yes|yes|no|1|3|2|1|held broken packages;@index@;in the middle of a sync or is broken;another Debian mirror
install fails, indexes fine|0|yes|no|no|1|1|1|0|apt-get install failed
all installed|0|no|no|yes|0|0|0|0|
CASES

after=$(find /etc/apt -exec stat -c '%n %s %Y' {} + 2>/dev/null | sort)
[ "$before" = "$after" ] || { name=etc-apt; fail "/etc/apt changed: $(diff <(echo "$before") <(echo "$after"))"; }
grep -q 'preferences\|Default-Release\|Pin' "$work"/*/calls 2>/dev/null &&
  { name=pinning; fail "an apt call wrote a preference: $(cat "$work"/*/calls)"; }

# An earlier set-up's deb-src file is removed even when every package is present.
name="stale deb-src file"
stub=$work/stale
mkdir -p "$stub/apt/sources.list.d"
touch "$stub/installed" "$stub/apt/sources.list.d/pavina-deb-src.sources"
STUB=$stub PATH=$work/bin:$PATH SETUP_APT_DIR=$stub/apt "$setup" >"$stub/out" 2>&1 || fail "exit $?"
[ ! -e "$stub/apt/sources.list.d/pavina-deb-src.sources" ] || fail "the file is still there"
! grep -q '^apt-get' "$stub/calls" 2>/dev/null || fail "apt-get was called"

[ $failures -eq 0 ] || exit 1
echo "setup against a broken mirror: 8 cases passed"
