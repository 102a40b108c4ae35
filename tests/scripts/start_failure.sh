#!/usr/bin/env bash
# The desktop program that cannot open its window says why, in SDL's words
# or its own, and ends with status 1 without waiting.
#
#   start_failure.sh BUILD_DIR SOURCE_DIR
set -u
build=$(cd "${1:?build dir}" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "start_failure: $*" >&2; exit 1; }

# reason_for ENV... : the first line datrax writes on standard error.
reason_for() {
  local out status
  out=$(cd "$tmp" && env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$tmp" "$@" \
        timeout 20 "$build/datrax" 2>&1 >/dev/null)
  status=$?
  [ "$status" -eq 1 ] || fail "exit status $status, not 1 ($out)"
  printf '%s\n' "$out" | head -n 1
}

got=$(reason_for)
[ "$got" = "datrax: cannot open a window: no DISPLAY or WAYLAND_DISPLAY set" ] || fail "no display: '$got'"
got=$(reason_for SDL_VIDEODRIVER=no_such_driver)
case "$got" in
  "datrax: cannot open a window: "?*) ;;
  *) fail "unknown driver: '$got'" ;;
esac
[ "$got" != "datrax: cannot open a window: " ] || fail "SDL's reason is missing"
# A name longer than any path is refused before a window is opened, never cut.
long=$(printf 'x%.0s' $(seq 1 4097))
"$build/datrax" "$long" 2>"$tmp/long.err" >/dev/null
[ $? -eq 2 ] || fail "a name of 4097 characters must exit 2"
grep -q 'file name longer than 4096 characters' "$tmp/long.err" || fail "no reason for the long name"
echo "start_failure: ok ($got)"
