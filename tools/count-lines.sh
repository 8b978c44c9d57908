#!/usr/bin/env bash
# Counts the lines that carry code (not blank, not a comment) in the program
# and in its tests, and the test-to-program ratio the project aims to keep at
# a third or less. The fakes, the end-to-end driver and the harness that the
# tests stand on are counted beside, not in either figure.
#   bash tools/count-lines.sh [tree]
set -u
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 1

# Code lines of the C++ and shell files given: drops blank lines, // and
# /* */ comments, and # comments of shell scripts (not #include).
code_lines() {
  [ $# -eq 0 ] && { echo 0; return; }
  awk '
    FNR == 1 { block = 0; shell = (FILENAME ~ /\.(sh|py)$/) }
    {
      line = $0
      if (block) { if (line ~ /\*\//) { block = 0; sub(/.*\*\//, "", line) } else next }
      if (!shell && line ~ /^[ \t]*\/\*/ && line !~ /\*\//) { block = 1; next }
      if (line ~ /^[ \t]*$/) next
      if (!shell && line ~ /^[ \t]*\/\//) next
      if (!shell && line ~ /^[ \t]*\/\*.*\*\/[ \t]*$/) next
      if (shell && line ~ /^[ \t]*#/) next
      n++
    }
    END { print n + 0 }' "$@"
}
files() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.inc' -o -name '*.sh' -o -name '*.py' \) 2>/dev/null | sort; }

program_dirs=()
for d in app main maker engine disks runlog system lang services platform; do [ -d "$d" ] && program_dirs+=("$d"); done
mapfile -t program < <(files "${program_dirs[@]}" | grep -v '^platform/fake/')
# The machines the unit tests and the fuzz targets stand on and the contract
# tests' main are harness, not cases; the fuzz targets themselves are cases.
harness_files=(tests/unit/*Machine.h tests/fuzz/*Machine.h tests/contract/ContractHarness.h tests/contract/ContractMain.cpp)
mapfile -t tests < <(files tests/unit tests/contract tests/fuzz | grep -vxF -f <(printf '%s\n' "${harness_files[@]}");
                     find tests/e2e -maxdepth 1 -name '*.sh' | sort)
mapfile -t fakes < <(files platform/fake)
mapfile -t driver < <(files tests/e2e/driver)
mapfile -t harness < <(files tests/harness tools/endpoint.py; printf '%s\n' "${harness_files[@]}")

p=$(code_lines "${program[@]}")
t=$(code_lines "${tests[@]}")
printf 'program %6d lines\n' "$p"
printf 'tests   %6d lines  (%s of the program)\n' "$t" "$(awk -v t="$t" -v p="$p" 'BEGIN { printf "%.2f", t / p }')"
printf 'beside: fakes %d, end-to-end driver %d, harness %d\n' \
  "$(code_lines "${fakes[@]}")" "$(code_lines "${driver[@]}")" "$(code_lines "${harness[@]}")"
