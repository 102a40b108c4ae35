#!/usr/bin/env bash
# The guide's plot saved as PDF, SVG and PNG must show the drawing of its
# HP-GL file: each kind is rendered by a program nobody here wrote
# (pdftoppm, rsvg-convert; the PNG as it is) and compared with the others
# pixel for pixel at a coarse tolerance, and with hp2xx's rendering of the
# HP-GL file after both are cut to their ink and brought to one size (hp2xx
# letters its labels in its own font, so that comparison is coarser). PDF
# and SVG must be vector files: no embedded bitmap. The histogram saves the
# same way.
#
#   paper_files.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build=$(cd "${1:?build dir}" && pwd)
src=${2:?source dir}
if grep -q '^DATRAX_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
  echo "runs with the optimised build's tests"
  exit 77
fi
fail() { echo "paper_files: FAIL: $*" >&2; exit 1; }
for tool in pdftoppm pdfimages rsvg-convert hp2xx convert compare; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps installs it)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$src"/samples/* "$work"/
cd "$work" || exit 1

browse='[Mark/Forward/Back/Zoom/Yscale/Previous/Next/Save/Quit] ->'
for kind in plt pdf svg png; do
  bottom=$("$build/datrax-replay" --dir . "dbf240301.ggp{enter}dnn{enter}snguide.$kind{enter}" | tail -n 1)
  [ "$bottom" = "$browse" ] || fail "saving guide.$kind ends with '$bottom'"
  [ -s "guide.$kind" ] || fail "guide.$kind was not written"
done
"$build/datrax-replay" --dir . 'dbf240301.ggp{enter}hnynhist.svg{enter}' >/dev/null
[ -s hist.svg ] || fail "the histogram was not saved as hist.svg"
[ "$(head -c 5 guide.pdf)" = "%PDF-" ] || fail "guide.pdf is not a PDF file"
[ "$(pdfimages -list guide.pdf | wc -l)" -eq 2 ] || fail "guide.pdf embeds a bitmap"
grep -q '<path' guide.svg || fail "guide.svg has no paths"
! grep -q '<image' guide.svg hist.svg || fail "an SVG file embeds a bitmap"
file_type=$(identify -format '%m %w %h' guide.png)
[ "$file_type" = "PNG 1753 1240" ] || fail "guide.png is '$file_type', not an A4 page at 150 dots per inch"

# One size for the three renderings of the page: A4 landscape at 60 dpi.
pdftoppm -r 60 -singlefile -png guide.pdf page_pdf || fail "pdftoppm cannot read guide.pdf"
rsvg-convert -w 701 -h 496 -b white guide.svg -o page_svg.png || fail "rsvg-convert cannot read guide.svg"
rsvg-convert -b white hist.svg -o hist_svg.png || fail "rsvg-convert cannot read hist.svg"
hp2xx -q -N -m png -f page_hpgl.png guide.plt 2>/dev/null || fail "hp2xx cannot read guide.plt"

# Grey, softened pictures of one size; with TRIM, cut to the ink first.
normal() {
  local in=$1 out=$2 trim=${3:-}
  if [ -n "$trim" ]; then
    convert "$in" -colorspace gray -threshold 80% -trim +repage -resize '240x170!' -blur 0x1.5 "$out"
  else
    convert "$in" -colorspace gray -threshold 80% -resize '701x496!' -blur 0x1.5 "$out"
  fi
}
# Root mean square difference of two pictures, 0..1.
difference() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/'; }
within() { awk -v d="$1" -v most="$2" 'BEGIN { exit !(d <= most) }'; }

normal page_pdf.png n_pdf.png
normal page_svg.png n_svg.png
normal guide.png n_png.png
for kind in svg png; do
  d=$(difference n_pdf.png "n_$kind.png")
  echo "guide.$kind against guide.pdf: RMSE $d"
  within "$d" 0.05 || fail "guide.$kind differs from guide.pdf (RMSE $d)"
done
normal page_pdf.png t_pdf.png trim
normal page_hpgl.png t_hpgl.png trim
d=$(difference t_pdf.png t_hpgl.png)
echo "guide.pdf against hp2xx: RMSE $d"
within "$d" 0.06 || fail "guide.pdf differs from hp2xx's rendering of guide.plt (RMSE $d)"
echo "paper_files: PDF, SVG, PNG and HP-GL files show the same drawing"
