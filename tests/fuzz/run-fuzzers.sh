#!/usr/bin/env bash
# Builds the fuzz targets with clang in BUILD_DIR, makes their seed corpora, and runs each
# target in turn for SECONDS (or, with FUZZ_RUNS set, until that many executions), then
# prints executions, coverage and findings per target. Exits 1 when any target found a
# crash, a leak, a time-out or a memory blow-up; its input is kept under BUILD_DIR/findings.
#   run-fuzzers.sh BUILD_DIR DEPS_DIR SECONDS [TARGET...]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
build=$(realpath -m "${1:?usage: run-fuzzers.sh BUILD_DIR DEPS_DIR SECONDS [TARGET...]}")
deps=$(realpath "${2:?usage: run-fuzzers.sh BUILD_DIR DEPS_DIR SECONDS [TARGET...]}")
seconds=${3:?usage: run-fuzzers.sh BUILD_DIR DEPS_DIR SECONDS [TARGET...]}
shift 3
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(bmp jpeg png gif profile_integer device html)

cmake -S "$here" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$build.configure.log" 2>&1 ||
  { cat "$build.configure.log" >&2; exit 1; }
cmake --build "$build" -j"${FUZZ_JOBS:-2}" $(printf -- '--target fuzz_%s ' "${targets[@]}") \
  >"$build/build.log" 2>&1 || { tail -40 "$build/build.log" >&2; exit 1; }
for t in "${targets[@]}"; do
  [ -d "$build/seeds/$t" ] || { "$here/make-seeds.sh" "$build/seeds" "$deps" && break; }
done

declare -A dictionary=([bmp]=bmp [jpeg]=jpeg [png]=png [gif]=gif
  [profile_integer]=profile_integer [html]=html)
# Leak checking is on (libFuzzer's default with AddressSanitizer); an input that takes
# longer than 10 s counts as a hang.
options=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1)
if [ -n "${FUZZ_RUNS:-}" ]; then options+=(-runs="$FUZZ_RUNS"); fi
options+=(-max_total_time="$seconds")

printf '%-16s %8s %12s %9s %7s %8s %7s %s\n' target seconds executions exec/s cov features corpus findings
status=0
for t in "${targets[@]}"; do
  corpus=$build/corpus/$t
  findings=$build/findings/$t
  log=$build/logs/$t.log
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  args=("${options[@]}" -artifact_prefix="$findings/")
  [ -n "${dictionary[$t]:-}" ] && args+=(-dict="$here/dictionaries/${dictionary[$t]}.dict")
  before=$(find "$findings" -type f | wc -l)
  start=$(date +%s)
  result=0
  "$build/fuzz_$t" "${args[@]}" "$corpus" "$build/seeds/$t" >"$log" 2>&1 || result=$?
  elapsed=$(($(date +%s) - start))
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  coverage=$(grep -o ' cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || true)
  features=$(grep -o ' ft: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || true)
  found=$(($(find "$findings" -type f | wc -l) - before))
  if [ "$result" -ne 0 ] && [ "$found" -eq 0 ]; then found=1; fi
  printf '%-16s %8s %12s %9s %7s %8s %7s %s\n' "$t" "$elapsed" "${executions:-?}" \
    "$(( ${executions:-0} / (elapsed > 0 ? elapsed : 1) ))" "${coverage:-?}" "${features:-?}" \
    "$(find "$corpus" -type f | wc -l)" "$found"
  if [ "$found" -ne 0 ]; then
    status=1
    echo "  $t: see $log and $findings" >&2
    grep -m 5 -E 'ERROR|SUMMARY|unsound' "$log" | sed 's/^/  /' >&2 || true
  fi
done
exit $status
