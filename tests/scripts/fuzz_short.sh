#!/usr/bin/env bash
# A short run of every fuzz target (about 10 s each), built with clang in a
# folder of its own. The fuzzers carry their own sanitizers, so the run
# belongs to the optimised build's tests only.
build=$1
src=$2
if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ not found: fuzzing skipped"
  exit 77
fi
if grep -q '^DATRAX_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
  echo "runs with the optimised build's tests"
  exit 77
fi
fuzz_build="$build/fuzz-short"
CC=clang CXX=clang++ cmake -S "$src" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDATRAX_FUZZ=ON -DDATRAX_TESTS=OFF -DDATRAX_BENCH=OFF >/dev/null || exit 1
exec "$src/scripts/run-fuzzers" "$fuzz_build" "${FUZZ_SECONDS:-10}"
