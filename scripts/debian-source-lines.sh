#!/usr/bin/env bash
# Prints deb-src entries (deb822 form) for the Debian suites this machine already installs
# from: the same URIs, suites, components and keys as its "deb" entries, read from the
# one-line sources.list files and from deb822 .sources files, so that source packages come
# through whatever mirror the machine uses. Entries of other distributions or vendors (a
# suite that is not this release's codename or one of its -updates, -security... suites)
# are left out: they often have no sources at all.
#   debian-source-lines.sh [APT_DIR]   (APT_DIR defaults to /etc/apt)
set -euo pipefail
apt_dir=${1:-/etc/apt}
codename=${DEBIAN_CODENAME:-$(. /etc/os-release && echo "${VERSION_CODENAME:-}")}
[ -n "$codename" ] || { echo "debian-source-lines: no release codename" >&2; exit 1; }

one_line_files=()
[ -f "$apt_dir/sources.list" ] && one_line_files+=("$apt_dir/sources.list")
for f in "$apt_dir"/sources.list.d/*.list; do [ -f "$f" ] && one_line_files+=("$f"); done
deb822_files=()
for f in "$apt_dir"/sources.list.d/*.sources; do [ -f "$f" ] && deb822_files+=("$f"); done

# deb [options] URI SUITE COMPONENT...
if [ ${#one_line_files[@]} -gt 0 ]; then
  awk -v codename="$codename" '
    function ours(suite) { return suite == codename || index(suite, codename "-") == 1 }
    /^[ \t]*deb[ \t]/ {
      sub(/^[ \t]*deb[ \t]+/, "")
      signed = ""
      if (substr($0, 1, 1) == "[") {
        options = substr($0, 2, index($0, "]") - 2)
        $0 = substr($0, index($0, "]") + 1)
        n = split(options, parts, /[ \t]+/)
        for (i = 1; i <= n; i++)
          if (parts[i] ~ /^signed-by=/) signed = substr(parts[i], 11)
      }
      if (NF < 3 || !ours($2)) next
      printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents:", $1, $2
      for (i = 3; i <= NF; i++) printf " %s", $i
      printf "\n"
      if (signed != "") printf "Signed-By: %s\n", signed
      printf "\n"
    }' "${one_line_files[@]}"
fi

# Stanzas of "Field: value" lines (continuation lines start with a blank), split by blank
# lines; "#" lines are comments.
if [ ${#deb822_files[@]} -gt 0 ]; then
  for f in "${deb822_files[@]}"; do
    awk -v codename="$codename" '
      function ours(suite) { return suite == codename || index(suite, codename "-") == 1 }
      function flush(   i, n, s, words, kept, isdeb) {
        if (count == 0) return
        isdeb = 0
        n = split(types, words, /[ \t]+/)
        for (i = 1; i <= n; i++) if (words[i] == "deb") isdeb = 1
        kept = ""
        n = split(suites, words, /[ \t]+/)
        for (i = 1; i <= n; i++) if (words[i] != "" && ours(words[i])) kept = kept " " words[i]
        if (isdeb && tolower(enabled) != "no" && kept != "") {
          print "Types: deb-src"
          for (i = 1; i <= count; i++) {
            if (names[i] == "Suites") print "Suites:" kept
            else if (names[i] != "Types" && names[i] != "Enabled" && names[i] != "Architectures")
              print lines[i]
          }
          print ""
        }
        count = 0; types = ""; suites = ""; enabled = ""
      }
      /^#/ { next }
      /^[ \t]*$/ { flush(); next }
      /^[ \t]/ { if (count > 0) lines[count] = lines[count] "\n" $0; next }
      {
        name = substr($0, 1, index($0, ":") - 1)
        value = substr($0, index($0, ":") + 1)
        gsub(/^[ \t]+|[ \t]+$/, "", value)
        names[++count] = name; lines[count] = $0
        if (name == "Types") types = value
        if (name == "Suites") suites = value
        if (name == "Enabled") enabled = value
      }
      END { flush() }' "$f"
  done
fi
