#!/usr/bin/env bash
# The user guide's pictures are made by key scripts; they must still run.
build=$1
src=$2
if grep -q '^DATRAX_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
  echo "runs with the optimised build's tests"
  exit 77
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$src/tools/make_docs.sh" "$build" "$out"
