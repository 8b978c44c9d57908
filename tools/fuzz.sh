#!/usr/bin/env bash
# Runs every fuzz target (tests/fuzz/*.cpp, built in build/sanitize with
# clang's libFuzzer and the address and undefined-behaviour checks) for the
# given seconds each, one at a time on one core, starting from the seed
# corpus in tests/fuzz/corpus/<target> (and, for the language files, every
# translation as it ships). What the fuzzer finds beyond the seeds is kept in
# build/fuzz/corpus/<target> for the next run; a crash, leak, hang or
# undefined behaviour leaves its input in build/fuzz/crashes/<target>/ and
# fails the target. Ends with "N passed, N failed".
#   bash tools/fuzz.sh SECONDS [target...]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
out=build/fuzz
# The same build as scripts/build.sh makes; up to date, it takes seconds.
if [ ! -f build/sanitize/CMakeCache.txt ]; then
  CC=clang CXX=clang++ cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Sanitize -DVANTREL_SANITIZE=ON \
    >build/sanitize-configure.log 2>&1 || { tail -20 build/sanitize-configure.log; exit 1; }
fi
mkdir -p "$out"
cmake --build build/sanitize -j 2 >"$out/build.log" 2>&1 || { tail -40 "$out/build.log"; exit 1; }
targets=("$@")
[ ${#targets[@]} -gt 0 ] || mapfile -t targets < <(ls tests/fuzz/*.cpp | xargs -n1 basename | sed 's/\.cpp$//')
mkdir -p "$out/seeds/language"
python3 tools/encode-languages.py translations "$out/seeds/language" >/dev/null &&
  cp dist/Languages/English.ini "$out/seeds/language/"

passed=0
failed=0
for name in "${targets[@]}"; do
  mkdir -p "$out/corpus/$name" "$out/crashes/$name"
  seeds=()
  for dir in "tests/fuzz/corpus/$name" "$out/seeds/$name"; do [ -d "$dir" ] && seeds+=("$dir"); done
  # A hang is an input that takes 10 s; memory beyond 2 GB counts as a leak.
  "build/sanitize/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$out/crashes/$name/" -print_final_stats=1 "$out/corpus/$name" "${seeds[@]}" \
    >"$out/$name.log" 2>&1
  rc=$?
  stats=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$out/$name.log" | tail -n 1)
  runs=$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$out/$name.log" | grep -oE '[0-9]+$')
  line="fuzz $name: ${runs:-?} runs in ${seconds} s, cov $(grep -oE 'cov: [0-9]+' <<<"$stats" | grep -oE '[0-9]+' || echo '?'), $(grep -oE 'exec/s: [0-9]+' <<<"$stats" || echo 'exec/s: ?')"
  if [ $rc -eq 0 ]; then
    passed=$((passed + 1))
    echo "$line"
  else
    failed=$((failed + 1))
    echo "FAILED: $line; see $out/$name.log and $out/crashes/$name/"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$out/$name.log" | head -5
  fi
done
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
