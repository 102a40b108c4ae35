#!/usr/bin/env bash
# Smoke test of the real program: starts `datrax` on a virtual X display,
# types "n", "2", Enter into its window, takes a screenshot of the window and
# compares it with the headless rendering of the same keys by datrax-replay.
#
#   xvfb_smoke.sh BUILD_DIR SOURCE_DIR
#
# The screen (1280 x 1024) is less than twice the text screen (1024 x 768), so
# the window opens at the canvas' own size and every canvas pixel is one
# screen pixel: the images must agree pixel for pixel. The only tolerance is a
# colour fuzz of 2 %, since colours pass through the X server's visual, which
# may round a channel by a unit; a wrong or missing character still differs
# by far more. Exit 77 (skipped) only when Xvfb itself cannot start.
set -uo pipefail

build=$(cd "${1:?build dir}" && pwd)
source_dir=${2:?source dir}
title='DATRAX QuickWin V1.1 '
keys_typed=n2
keys_replay='n2{enter}'

fail() { echo "xvfb_smoke: FAIL: $*" >&2; exit 1; }
for tool in Xvfb xdotool import compare identify; do
  command -v "$tool" >/dev/null || { [ "$tool" = Xvfb ] && { echo "xvfb_smoke: SKIP: Xvfb is not installed"; exit 77; }
                                     fail "$tool is not installed (scripts/install-deps installs it)"; }
done
[ -x "$build/datrax" ] || fail "$build/datrax is missing"
[ -x "$build/datrax-replay" ] || fail "$build/datrax-replay is missing"

tmp=$(mktemp -d)
out="$build/xvfb_smoke"
rm -rf "$out" && mkdir -p "$out"
xvfb_pid=
app_pid=
cleanup() {
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null; wait "$app_pid" 2>/dev/null; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
  rm -rf "$tmp"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and reports it on fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$tmp/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -s "$tmp/display" ]; then
  echo "xvfb_smoke: SKIP: Xvfb did not start:" && sed 's/^/  /' "$tmp/xvfb.log"
  exit 77
fi
export DISPLAY=":$(head -1 "$tmp/display")"
echo "xvfb_smoke: Xvfb on $DISPLAY"

mkdir -p "$tmp/work" "$tmp/config" "$tmp/replay"
(cd "$tmp/work" && XDG_CONFIG_HOME="$tmp/config" exec "$build/datrax") >"$out/datrax.log" 2>&1 &
app_pid=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name "^${title//./\\.}\$" 2>/dev/null | head -1)
[ -n "$window" ] || { cat "$out/datrax.log" >&2; fail "no window titled '$title' appeared"; }
echo "xvfb_smoke: window $window found by its title"

# Wait until the main menu is drawn: two screenshots a moment apart agree.
settle() {
  local previous= shot
  for i in $(seq 40); do
    sleep 0.25
    import -window "$window" "$tmp/settle$i.png" 2>/dev/null || continue
    shot=$(identify -format '%#' "$tmp/settle$i.png")
    [ "$shot" = "$previous" ] && return 0
    previous=$shot
  done
  return 1
}
settle || fail "the window never stopped changing"

xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool type --delay 80 "$keys_typed"
xdotool key Return
settle || fail "the window never stopped changing after the keys"
kill -0 "$app_pid" 2>/dev/null || { cat "$out/datrax.log" >&2; fail "datrax ended early"; }
import -window "$window" "$out/window.png" || fail "no screenshot of the window"

(cd "$tmp/replay" && "$build/datrax-replay" --png "$out/headless.png" "$keys_replay") >"$out/headless.txt" \
  || fail "datrax-replay failed"
[ -s "$out/headless.png" ] || fail "datrax-replay wrote no PNG"

window_size=$(identify -format '%wx%h' "$out/window.png")
canvas_size=$(identify -format '%wx%h' "$out/headless.png")
[ "$window_size" = "$canvas_size" ] \
  || fail "the window is $window_size, the canvas $canvas_size: not shown at its own size"

differing=$(compare -metric AE -fuzz 2% "$out/window.png" "$out/headless.png" "$out/diff.png" 2>&1 >/dev/null)
differing=${differing%% *}
if [ "$differing" != 0 ]; then
  fail "$differing pixels of the main menu differ between the window and the headless screen" \
       "(see $out/window.png, headless.png, diff.png)"
fi
echo "xvfb_smoke: the window shows the same main menu as the headless screen ($canvas_size)"

# q ends the run and writes the profile into the user's configuration folder.
xdotool type --delay 80 q
for _ in $(seq 100); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "datrax still runs after q"
wait "$app_pid"
status=$?
app_pid=
[ "$status" = 0 ] || { cat "$out/datrax.log" >&2; fail "datrax ended with status $status after q"; }
[ -s "$tmp/config/datrax/datra.pro" ] || fail "q wrote no profile to \$XDG_CONFIG_HOME/datrax/datra.pro"
echo "xvfb_smoke: q ended the run (status 0) and wrote the profile"
