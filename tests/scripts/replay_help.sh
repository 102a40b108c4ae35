#!/usr/bin/env bash
# datrax-replay --help prints its usage on standard output and succeeds; an
# unknown option still fails with the usage on standard error.
set -euo pipefail
build=$1
out=$("$build/datrax-replay" --help)
grep -q '^usage: datrax-replay \[--dir DIR\]' <<<"$out"
grep -q -- '--keys-file FILE' <<<"$out"
if "$build/datrax-replay" --bogus >/dev/null 2>&1; then
  echo "an unknown option was accepted" >&2
  exit 1
fi
echo "replay help: ok"
