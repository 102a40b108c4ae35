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
test_name=xvfb_smoke
source "$(dirname "$0")/lib/xvfb.sh"
keys_typed=n2
keys_replay='n2{enter}'

require_tools "$build"
out="$build/xvfb_smoke"
rm -rf "$out" && mkdir -p "$out"
start_xvfb 1280x1024

mkdir -p "$tmp/work" "$tmp/config" "$tmp/replay"
start_datrax "$build" "$tmp/work" "$tmp/config" "$out/datrax.log"
window=$(find_window 'DATRAX 1.1') || { cat "$out/datrax.log" >&2; exit 1; }
echo "xvfb_smoke: window $window found by its title"

settle "$window"
type_into "$window" "$keys_typed" enter
settle "$window"
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
type_into "$window" q
expect_clean_end "$out/datrax.log"
[ -s "$tmp/config/datrax/datra.pro" ] || fail "q wrote no profile to \$XDG_CONFIG_HOME/datrax/datra.pro"
echo "xvfb_smoke: q ended the run (status 0) and wrote the profile"

# A data file named on the command line: the program opens in the data menu
# with it read, as datrax-replay --open shows it.
cp "$source_dir/samples/bf240301.ggp" "$tmp/work/"
(cd "$tmp/work" && XDG_CONFIG_HOME="$tmp/config" exec "$build/datrax" bf240301.ggp) >"$out/datrax_open.log" 2>&1 &
app_pid=$!
window=$(find_window 'bf240301.ggp - DATRAX 1.1') || { cat "$out/datrax_open.log" >&2; exit 1; }
settle "$window"
import -window "$window" "$out/window_open.png" || fail "no screenshot of the window with a file named"
(cd "$tmp/work" && XDG_CONFIG_HOME="$tmp/config" "$build/datrax-replay" --open bf240301.ggp --png "$out/headless_open.png" '') \
  >"$out/headless_open.txt" || fail "datrax-replay --open failed"
head -1 "$out/headless_open.txt" | grep -q '^ DATA MENU - Ndsets 2 File 1 Style 2 bf240301.ggp' \
  || fail "datrax-replay --open does not show the data menu with the file read"
differing=$(compare -metric AE -fuzz 2% "$out/window_open.png" "$out/headless_open.png" "$out/diff_open.png" 2>&1 >/dev/null)
differing=${differing%% *}
[ "$differing" = 0 ] || fail "$differing pixels of the data menu differ (see $out/window_open.png, headless_open.png)"
type_into "$window" rq
expect_clean_end "$out/datrax_open.log"
echo "xvfb_smoke: 'datrax bf240301.ggp' opens in the data menu as datrax-replay --open shows it"
