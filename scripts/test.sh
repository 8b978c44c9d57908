#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests, the platform
# contract tests under Wine in a throw-away prefix, and the end-to-end tests
# of the real program on a virtual display. Ends with one line
# "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/setup.sh || exit 1
start=$(date +%s)
bash scripts/build.sh || exit 1
echo "build: $(( $(date +%s) - start )) s"

passed=0
failed=0
# Adds a GoogleTest run's counts from its output file.
count_gtest() {  # output-file
  local ok bad
  ok=$(grep -c '^\[       OK \]' "$1" || true)
  bad=$(grep -cE '^\[  FAILED  \] .*\([0-9]+ ms\)$' "$1" || true)
  passed=$((passed + ok))
  failed=$((failed + bad))
  grep -E '^\[  FAILED  \] .*\([0-9]+ ms\)$' "$1" || true
}

t=$(date +%s)
build/linux/unit_tests >build/unit.out 2>&1
unit_rc=$?
count_gtest build/unit.out
[ $unit_rc -eq 0 ] || { [ "$(grep -c FAILED build/unit.out)" -gt 0 ] || { tail -20 build/unit.out; failed=$((failed + 1)); }; }
echo "unit tests: $(( $(date +%s) - t )) s"

# The same tests under the address and undefined-behaviour checks (the first
# finding ends the process, which counts as a failure), beside every fuzz
# target in turn for a short while on the other core; tools/fuzz.sh runs
# them longer.
t=$(date +%s)
build/sanitize/unit_tests >build/unit-sanitize.out 2>&1 &
sanitized=$!
bash tools/fuzz.sh "${FUZZ_SECONDS:-15}" >build/fuzz.out 2>&1
grep -E '^(fuzz|FAILED)' build/fuzz.out || tail -20 build/fuzz.out
line=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' build/fuzz.out | tail -n 1)
if [ -n "$line" ]; then
  passed=$((passed + ${line%% passed*}))
  rest=${line#*passed, }
  failed=$((failed + ${rest%% failed*}))
else
  failed=$((failed + 1))
fi
echo "fuzz targets: $(( $(date +%s) - t )) s"
wait $sanitized
unit_rc=$?
count_gtest build/unit-sanitize.out
[ $unit_rc -eq 0 ] || { [ "$(grep -c FAILED build/unit-sanitize.out)" -gt 0 ] || { tail -20 build/unit-sanitize.out; failed=$((failed + 1)); }; }
echo "unit tests under the sanitizers (beside the fuzz targets): $(( $(date +%s) - t )) s"

t=$(date +%s)
(
  source tests/harness/wineprefix.sh
  source tests/harness/display.sh
  prefix_create || exit 1
  # The toolkit's contract tests show real windows and move the mouse.
  display_start || exit 1
  trap 'display_stop; prefix_destroy' EXIT
  mkdir -p "$DRIVE_C/tests"
  cp build/win/contract_tests.exe "$DRIVE_C/tests/"
  # Links cannot be made from inside Wine, so the link test finds them
  # planted here.
  links="$DRIVE_C/tests/links"
  mkdir -p "$links/target" "$links/empty-target"
  printf 'keep 1\r\n' >"$links/target/keep1.txt"
  printf 'keep 2\r\n' >"$links/target/keep2.txt"
  ln -s target "$links/dir-link"
  ln -s "$links/target" "$links/absolute-link"
  ln -s empty-target "$links/empty-link"
  ln -s target/keep1.txt "$links/file-link"
  ln -s nowhere "$links/dangling-link"
  # The reference web endpoint for the fetch's tests, on 127.0.0.1 only; it
  # ends by itself after ten minutes should the trap not end it first.
  python3 tools/endpoint.py --log "$DRIVE_C/tests/endpoint.log" --port-file "$PREFIX_ROOT/endpoint.port" \
    --lifetime 600 & endpoint=$!
  trap 'kill $endpoint 2>/dev/null; display_stop; prefix_destroy' EXIT
  for _ in $(seq 100); do [ -s "$PREFIX_ROOT/endpoint.port" ] && break; sleep 0.2; done
  export VANTREL_TEST_ENDPOINT="http://127.0.0.1:$(cat "$PREFIX_ROOT/endpoint.port")/privacy/_from_soft.cgi"
  prefix_run tests 'C:\tests\contract_tests.exe' >"$root/build/contract.out" 2>&1
) 
contract_rc=$?
count_gtest build/contract.out
if [ $contract_rc -ne 0 ] && ! grep -q '^\[  FAILED  \]' build/contract.out; then
  tail -20 build/contract.out
  failed=$((failed + 1))
fi
echo "contract tests under Wine: $(( $(date +%s) - t )) s"

# Each end-to-end journey makes its own prefix and display and prints
# "N passed, N failed" last. A journey that outlives its limit gets TERM,
# which its trap turns into undoing its mounts and prefix (a Wine call may
# delay that by up to a minute), then KILL.
e2e_start=$(date +%s)
for script in tests/e2e/*.sh; do
  name=$(basename "$script" .sh)
  t=$(date +%s)
  timeout -k 90 900 bash "$script" >"build/e2e-$name.out" 2>&1
  rc=$?
  grep -E '^FAILED:|^measured:' "build/e2e-$name.out" || true
  line=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "build/e2e-$name.out" | tail -n 1)
  if [ -n "$line" ]; then
    passed=$((passed + ${line%% passed*}))
    rest=${line#*passed, }
    failed=$((failed + ${rest%% failed*}))
  fi
  if [ $rc -ne 0 ] && [ -z "$line" ]; then
    tail -20 "build/e2e-$name.out"
    failed=$((failed + 1))
  fi
  echo "end-to-end $name under Wine: $(( $(date +%s) - t )) s"
done
echo "end-to-end journeys: $(( $(date +%s) - e2e_start )) s"
echo "screenshots: build/screenshots"

echo "total: $(( $(date +%s) - start )) s"
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
