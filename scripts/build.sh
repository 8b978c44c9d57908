#!/usr/bin/env bash
# Builds the native test build (build/linux), the same under the address and
# undefined-behaviour checks with the fuzz targets (build/sanitize, clang),
# and the Windows program with its contract tests (build/win). Output goes to
# build/*.log, shown on failure.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
mkdir -p build
step() {  # log-name command...
  local log="build/$1.log"
  shift
  "$@" >"$log" 2>&1 || { tail -n 60 "$log"; echo "build: failed, see $log" >&2; exit 1; }
}
step linux-configure cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=Release
step linux-build cmake --build build/linux -j "$jobs"
step sanitize-configure env CC=clang CXX=clang++ cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Sanitize \
  -DVANTREL_SANITIZE=ON
step sanitize-build cmake --build build/sanitize -j "$jobs"
step win-configure cmake -S . -B build/win -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
step win-build cmake --build build/win -j "$jobs"
