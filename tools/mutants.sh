#!/usr/bin/env bash
# Measures the unit tests' power with seeded faults (tools/mutants/*.fault,
# format in tools/mutants/README.md). Works on a copy of the tracked files in
# build/mutants/src with one build folder kept there between calls, so each
# fault costs an incremental build; the tree itself is only read.
#   bash tools/mutants.sh [fault files...]        (default: every fault)
# Environment: MUTANT_TIMEOUT (seconds per test run, default 120),
# MUTANT_JOBS (build jobs, default 2).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build/mutants
src=$work/src
bld=$work/build
timeout_s=${MUTANT_TIMEOUT:-120}
jobs=${MUTANT_JOBS:-2}
[ "$jobs" -gt 2 ] && jobs=2

cd "$root" || exit 1
if [ $# -eq 0 ]; then
  set -- tools/mutants/*.fault
fi
faults=()
for f in "$@"; do faults+=("$(cd "$(dirname "$f")" && pwd)/$(basename "$f")"); done

mkdir -p "$src" "$work/run" || exit 1

# The copy: every tracked file as it stands in the tree, written only where
# it differs, so that the build folder sees as few changes as possible.
sync_copy() {
  local list=$work/tracked.list f
  git -C "$root" ls-files -z >"$list" || return 1
  while IFS= read -r -d '' f; do
    [ -f "$root/$f" ] || continue
    if ! cmp -s "$root/$f" "$src/$f"; then
      mkdir -p "$src/$(dirname "$f")" && cp "$root/$f" "$src/$f" || return 1
    fi
  done <"$list"
  # Files the tree no longer tracks leave the copy too.
  (cd "$src" && find . -type f -printf '%P\0') | while IFS= read -r -d '' f; do
    grep -qzxF -- "$f" "$list" || rm -f "$src/$f"
  done
}

build() {
  if [ ! -f "$bld/CMakeCache.txt" ]; then
    local gen=()
    command -v ninja >/dev/null && gen=(-G Ninja)
    cmake -S "$src" -B "$bld" "${gen[@]}" -DCMAKE_BUILD_TYPE=Release >"$work/configure.log" 2>&1 || return 1
  fi
  cmake --build "$bld" --target unit_tests -j "$jobs" >"$work/build.log" 2>&1
}

# Runs the suite; prints the first failing test ("Suite.Name", with "(hang)"
# or "(crash)" when the run did not end by itself). Status 0: all passed.
run_tests() {
  local log=$work/test.log rc first
  (cd "$work/run" && timeout -k 10 "$timeout_s" "$bld/unit_tests" --gtest_fail_fast --gtest_color=no) >"$log" 2>&1
  rc=$?
  [ $rc -eq 0 ] && return 0
  first=$(grep -m1 -oP '^\[  FAILED  \] \K[^ ,]+' "$log")
  local last
  last=$(grep -oP '^\[ RUN      \] \K[^ ]+' "$log" | tail -n1)
  if [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
    echo "${last:-?} (hang)"
  elif [ -n "$first" ]; then
    echo "$first"
  else
    echo "${last:-?} (crash, status $rc)"
  fi
  return 1
}

# Applies fault $1 to the copy. Prints the file it changed; status 2 when
# the fault is malformed or its text is not found exactly once.
apply_fault() {
  python3 - "$1" "$src" "$work/original" <<'EOF'
import os, sys
fault, src, backup = sys.argv[1:4]
lines = open(fault, encoding="utf-8").read().split("\n")
path, find, replace, part = None, [], [], None
for line in lines:
    if part is None:
        if line.startswith("#") or not line.strip():
            continue
        if line.startswith("file:"):
            path = line[5:].strip()
            continue
        if line.rstrip() == "find:":
            part = find
            continue
        sys.exit(2)
    if part is find and line.rstrip() == "replace:":
        part = replace
        continue
    part.append(line)
while replace and replace[-1] == "":
    replace.pop()
while find and find[-1] == "":
    find.pop()
if not path or not find or part is not replace or path.startswith("/") or ".." in path.split("/"):
    sys.exit(2)
target = os.path.join(src, path)
if not os.path.isfile(target):
    sys.exit(2)
text = open(target, encoding="utf-8", newline="").read()
old, new = "\n".join(find), "\n".join(replace)
if text.count(old) != 1:
    sys.exit(2)
with open(backup, "w", encoding="utf-8", newline="") as f:
    f.write(text)
with open(target, "w", encoding="utf-8", newline="") as f:
    f.write(text.replace(old, new))
print(path)
EOF
}

# Puts the original text back with a new time, so the next build compiles
# the file again rather than keep the fault's object.
restore() {
  cat "$work/original" >"$src/$1" && rm -f "$work/original"
}

sync_copy || { echo "mutants: cannot copy the tree to $src" >&2; exit 1; }
if [ -f "$work/original" ]; then
  echo "mutants: an earlier run was cut short; the copy was refreshed from the tree" >&2
  rm -f "$work/original"
fi
start=$(date +%s)
changed=$(git --no-optional-locks status --porcelain --untracked-files=no | grep -v ' tools/mutants' | wc -l)
echo "# $(date -u '+%Y-%m-%d %H:%M UTC'), commit $(git rev-parse --short HEAD)$([ "$changed" -gt 0 ] && echo " with $changed uncommitted changes")"
if ! build; then
  tail -n 40 "$work/build.log" >&2
  echo "mutants: the unchanged tree does not build" >&2
  exit 1
fi
if ! failing=$(run_tests); then
  echo "mutants: the unchanged tree fails its tests ($failing); see $work/test.log" >&2
  exit 1
fi
echo "# unchanged tree built and passed in $(($(date +%s) - start)) s"

trap '[ -n "${current:-}" ] && restore "$current"; exit 130' INT TERM
caught=0 missed=0 noapply=0 nobuild=0
for fault in "${faults[@]}"; do
  name=$(basename "$fault" .fault)
  t0=$(date +%s)
  current=""
  if ! current=$(apply_fault "$fault"); then
    current=""
    echo "$name does-not-apply"
    noapply=$((noapply + 1))
    continue
  fi
  if ! build; then
    result="does-not-build"
    nobuild=$((nobuild + 1))
  elif failing=$(run_tests); then
    result="missed"
    missed=$((missed + 1))
  else
    result="caught $failing"
    caught=$((caught + 1))
  fi
  restore "$current"
  current=""
  echo "$name $result [$(($(date +%s) - t0)) s]"
done
echo "# missed $missed, does-not-apply $noapply, does-not-build $nobuild"
echo "caught $caught of ${#faults[@]}"
