#!/usr/bin/env bash
# A run that ends at a message of a plot's save leaves every old file as it
# was. Beside an older plot (g.pdf, g.plt) lies the read-only table of its
# marks, g.mrk: saving a marked plot as g.pdf (or g.plt) asks to overwrite
# the table and then shows "The table of the marks could not be written -->".
# First headless, where the key script of datrax-replay ends at the message;
# then in the real window on a virtual X display, closed at the message as a
# window manager's close button closes it. Each time g.pdf, g.plt and g.mrk
# must stay byte for byte and no temporary file may be left; a closed window
# ends the run with status 0. Exit 77 (skipped) when Xvfb cannot start.
#
#   xvfb_plot_save.sh BUILD_DIR SOURCE_DIR
set -uo pipefail

build=$(cd "${1:?build dir}" && pwd)
source_dir=${2:?source dir}
test_name=xvfb_plot_save
source "$(dirname "$0")/lib/xvfb.sh"
message='The table of the marks could not be written -->'

# scene DIR: the sample and the older plot with its read-only table.
scene() {
  mkdir -p "$1"
  cp "$source_dir/samples/bf240301.ggp" "$1/"
  printf '%%PDF- the old plot\n' >"$1/g.pdf"
  printf ' IN;\n the old plot\n SP;\n' >"$1/g.plt"
  printf '# the old marks\n' >"$1/g.mrk"
  chmod 444 "$1/g.mrk"
}

# unchanged DIR WHAT: the old files byte for byte, nothing else beside them.
unchanged() {
  [ "$(cat "$1/g.pdf")" = '%PDF- the old plot' ] || fail "$2: g.pdf changed"
  [ "$(cat "$1/g.plt")" = "$(printf ' IN;\n the old plot\n SP;')" ] || fail "$2: g.plt changed"
  [ "$(cat "$1/g.mrk")" = '# the old marks' ] || fail "$2: g.mrk changed"
  local left
  left=$(cd "$1" && ls -A | tr '\n' ' ')
  [ "$left" = 'bf240301.ggp g.mrk g.pdf g.plt ' ] || fail "$2: the folder holds $left"
}

[ -x "$build/datrax-replay" ] || fail "$build/datrax-replay is missing"
out="$build/xvfb_plot_save"
rm -rf "$out" && mkdir -p "$out"
keys_marked='dbf240301.ggp{enter}dnn{enter}m{enter}n'
for name in g.pdf g.plt; do
  scene "$tmp/replay_$name"
  "$build/datrax-replay" --dir "$tmp/replay_$name" --png "$out/headless_$name.png" \
    "${keys_marked}sn$name{enter}yy" >"$out/headless_$name.txt" || fail "datrax-replay failed"
  tail -n 1 "$out/headless_$name.txt" | grep -qF "$message" \
    || fail "datrax-replay did not end at the message (see $out/headless_$name.txt)"
  unchanged "$tmp/replay_$name" "datrax-replay saving $name"
  echo "xvfb_plot_save: datrax-replay ending at the message while saving $name kept the old files"
done

require_tools "$build"
start_xvfb 1280x1024
scene "$tmp/work"
start_datrax "$build" "$tmp/work" "$tmp/config" "$out/datrax.log"
window=$(find_window 'DATRAX 1.1') || { cat "$out/datrax.log" >&2; exit 1; }
settle "$window"
type_into "$window" dbf240301.ggp enter
settle "$window"
type_into "$window" dnn enter
settle "$window"
type_into "$window" m enter
type_into "$window" n
type_into "$window" sng.pdf enter
type_into "$window" yy
settle "$window"
kill -0 "$app_pid" 2>/dev/null || { cat "$out/datrax.log" >&2; fail "datrax ended early"; }
import -window "$window" "$out/window.png" || fail "no screenshot of the window"
differing=$(compare -metric AE -fuzz 2% "$out/window.png" "$out/headless_g.pdf.png" "$out/diff.png" 2>&1 >/dev/null)
differing=${differing%% *}
[ "$differing" = 0 ] || fail "$differing pixels differ from the headless screen at the message" \
                             "(see $out/window.png, headless_g.pdf.png, diff.png)"
echo "xvfb_plot_save: the window shows the message as the headless screen does"

python3 "$(dirname "$0")/lib/close_window.py" "$window" || fail "the window could not be asked to close"
expect_clean_end "$out/datrax.log"
unchanged "$tmp/work" "the window closed at the message"
echo "xvfb_plot_save: the window closed at the message ended the run (status 0) and kept the old files"
