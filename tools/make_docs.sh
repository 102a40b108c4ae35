#!/usr/bin/env bash
# Regenerates the pictures of the user guide (docs/images/) by running the
# real program through the headless replay runner on the sample files, so
# the pictures never drift from the program. Each shot names the text its
# bottom row must show; a key script that no longer fits fails the run.
#
#   tools/make_docs.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$src/build}" && pwd)
out=${2:-$src/docs/images}
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$src"/samples/* "$work"/

browse='[Mark/Forward/Back/Zoom/Yscale/Previous/Next/Save/Quit] ->'

# shot NAME "EXPECTED BOTTOM ROW" KEYS
shot() {
  local name=$1 expected=$2 keys=$3
  local screen
  screen=$("$build/datrax-replay" --dir "$work" --png "$out/$name.png" "$keys")
  local bottom
  bottom=$(printf '%s\n' "$screen" | tail -n 1)
  if [ "$bottom" != "$expected" ]; then
    echo "make_docs: $name: the bottom row shows '$bottom', expected '$expected'" >&2
    exit 1
  fi
  echo "wrote $out/$name.png"
}

left=$(printf '{left}%.0s' $(seq 1 125))
up=$(printf '{up}%.0s' $(seq 1 222))

shot main_menu 'Select letter -->' ''
shot data_menu 'Select letter -->' 'dbf240301.ggp{enter}'
shot ggp_pair "$browse" 'dbf240301.ggp{enter}dnn{enter}'
shot filtered_marks "$browse" "dbf240301.ggp{enter}dnn25{enter}m${left}${up}{enter}n"
shot date_axis "$browse" 'dbf240301.ggp{enter}cu5{enter}rdnn{enter}zy2024-03-11 00:00{enter}2024-03-13 00:00{enter}n'
shot histogram 'Save Plot [y/n] -->' 'dbf240301.ggp{enter}hn'
shot spectrum '[Zoom/Yscale/Save/Quit] ->' 'dbf240301.ggp{enter}an{enter}'
shot tides '[Plot residual/Write/Quit] ->' 'dbf240301.ggp{enter}tn{enter}y'
shot tide_residual '[Mark/Forward/Back/Zoom/Yscale/Save/Quit] ->' 'dbf240301.ggp{enter}tn{enter}yypnn{enter}'

# A saved plot file rendered by hp2xx, beside the same plot on the screen.
rm -f "$work/bf240301.plt"
shot saved_plot_screen "$browse" 'dbf240301.ggp{enter}dnn{enter}sy'
if command -v hp2xx >/dev/null 2>&1; then
  (cd "$work" && hp2xx -q -N -m png -f "$out/saved_plot_hp2xx.png" bf240301.plt 2>/dev/null)
  echo "wrote $out/saved_plot_hp2xx.png"
else
  echo "make_docs: hp2xx not found; the plot file picture was not made" >&2
  exit 1
fi

# The same plot saved as PDF, rendered by pdftoppm.
rm -f "$work/bf240301.pdf"
"$build/datrax-replay" --dir "$work" 'dbf240301.ggp{enter}dnn{enter}snbf240301.pdf{enter}' >/dev/null
if command -v pdftoppm >/dev/null 2>&1; then
  pdftoppm -r 60 -singlefile -png "$work/bf240301.pdf" "$out/saved_plot_pdf"
  echo "wrote $out/saved_plot_pdf.png"
else
  echo "make_docs: pdftoppm not found; the PDF picture was not made" >&2
  exit 1
fi
