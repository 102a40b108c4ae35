#!/usr/bin/env bash
# The real window at sizes that are not whole multiples of the canvas: starts
# `datrax` on a virtual X display, reads a GGP sample file and draws its plot,
# takes a screenshot of the window and compares it with an area-average
# rescale of the headless picture of the same keys (ImageMagick's -scale
# averages exactly the canvas area under each window pixel).
#
#   xvfb_scaled.sh BUILD_DIR SOURCE_DIR
#
# Two runs: a 1024 x 600 screen, too low for the 1024 x 768 canvas, where the
# window must open by itself at 800 x 600 (0.78x) and remember that size in
# the `window` file beside the profile; and a 1600 x 1200 screen with a
# remembered window of 1536 x 1152 (1.5x). A picture that drops rows and
# columns of pixels correlates with the reference at about 0.85; the
# filtered picture must reach 0.95. Exit 77 (skipped) when Xvfb cannot start.
set -uo pipefail

build=$(cd "${1:?build dir}" && pwd)
source_dir=${2:?source dir}
test_name=xvfb_scaled
source "$(dirname "$0")/lib/xvfb.sh"
file=bf240301.ggp
min_correlation=0.95

require_tools "$build"
out="$build/xvfb_scaled"
rm -rf "$out" && mkdir -p "$out"

(cd "$source_dir/samples" && "$build/datrax-replay" --png "$out/headless.png" "d$file{enter}dnn{enter}") \
  >"$out/headless.txt" || fail "datrax-replay failed"
[ -s "$out/headless.png" ] || fail "datrax-replay wrote no PNG"

# run NAME SCREEN WINDOW_SIZE: the plot in a window of WINDOW_SIZE on a screen
# of SCREEN, compared with the headless picture scaled to WINDOW_SIZE.
run() {
  local name=$1 screen=$2 size=$3 window title shown ncc
  start_xvfb "$screen"
  mkdir -p "$tmp/$name/work"
  cp "$source_dir/samples/$file" "$tmp/$name/work/"
  start_datrax "$build" "$tmp/$name/work" "$tmp/$name/config" "$out/$name.log"
  window=$(find_window 'DATRAX 1.1') || { cat "$out/$name.log" >&2; exit 1; }
  shown=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
  [ "$shown" = "$size" ] || fail "$name: the window opened at $shown, not $size"

  settle "$window"
  type_into "$window" "d$file" enter
  xdotool search --sync --onlyvisible --name "^$file - DATRAX 1\\.1\$" >/dev/null 2>&1 \
    || fail "$name: the title did not change to '$file - DATRAX 1.1'"
  type_into "$window" dnn enter
  settle "$window"
  import -window "$window" "$out/$name.png" || fail "$name: no screenshot of the window"

  convert "$out/headless.png" -scale "$size!" "$out/$name-expected.png"
  ncc=$(compare -metric NCC "$out/$name.png" "$out/$name-expected.png" null: 2>&1)
  awk -v c="$ncc" -v m="$min_correlation" 'BEGIN { exit !(c >= m) }' \
    || fail "$name: correlation $ncc with the area-average picture is below $min_correlation" \
            "(see $out/$name.png and $name-expected.png)"
  echo "$test_name: $name: a $size window shows the plot with correlation $ncc"

  type_into "$window" qrq
  expect_clean_end "$out/$name.log"
  kill "$xvfb_pid" && wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=
}

run small 1024x600 800x600
read -r _ _ w h <"$tmp/small/config/datrax/window" || fail "no window file beside the profile"
[ "${w}x$h" = 800x600 ] || fail "the window file holds ${w}x$h, not the window's 800x600"
echo "$test_name: the window's size is remembered beside the profile"

mkdir -p "$tmp/large/config/datrax"
echo "20 10 1536 1152" >"$tmp/large/config/datrax/window"
run large 1600x1200 1536x1152
