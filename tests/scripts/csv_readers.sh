#!/usr/bin/env bash
# A CSV that W writes opens in readers nobody here wrote: Python's csv
# module reads every row as written (header, stamps, values, empty cells of
# missing samples), and gnuplot plots it with the usual settings for
# spreadsheet dates.
#
#   csv_readers.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build=$(cd "${1:?build dir}" && pwd)
src=${2:?source dir}
if grep -q '^DATRAX_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
  echo "runs with the optimised build's tests"
  exit 77
fi
fail() { echo "csv_readers: FAIL: $*" >&2; exit 1; }
for tool in python3 gnuplot; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps installs it)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$src"/samples/bf240301.ggp "$work"/
cd "$work" || exit 1
# A month with a gap of three hours and a missing pressure.
awk '!/^20240302 0[345]0000/ { if (/^20240303 120000/) $4 = "9999.999"; print }' bf240301.ggp > gaps.ggp

bottom=$("$build/datrax-replay" --dir . "dbf240301.ggp{enter}wn{enter}1{enter}" | tail -n 1)
[ "$bottom" = "Written: 744 samples (0 missing) to bf240301w.csv" ] || fail "writing the month ends with '$bottom'"
bottom=$("$build/datrax-replay" --dir . "dgaps.ggp{enter}wn{enter}b{enter}" | tail -n 1)
[ "$bottom" = "Written: 1488 samples (7 missing) to gapsw.csv" ] || fail "writing both sets ends with '$bottom'"

python3 - bf240301.ggp bf240301w.csv gaps.ggp gapsw.csv <<'PY' || fail "Python's csv module read something else"
import csv, datetime, sys

def ggp_rows(path):
    rows, data = {}, False
    for line in open(path):
        if line.startswith("77777777"): data = True; continue
        if not data or line.startswith(("99999999", "88888888")): continue
        f = line.split()
        t = datetime.datetime.strptime(f[0] + f[1], "%Y%m%d%H%M%S")
        rows[t] = [None if v == "9999.999" else float(v) for v in f[2:4]]
    return rows

def check(ggp, written, columns):
    want = ggp_rows(ggp)
    with open(written, newline="") as f:
        rows = list(csv.reader(f))
    header, body = rows[0], rows[1:]
    assert header[0] == "time", header
    assert header[1].endswith("[microgal]"), header
    if columns == 2: assert header[2].endswith("[mbar]"), header
    start = min(want)
    assert len(body) == 744, len(body)
    for i, row in enumerate(body):
        t = datetime.datetime.strptime(row[0], "%Y-%m-%d %H:%M:%S")
        assert t == start + datetime.timedelta(hours=i), row
        values = want.get(t, [None, None])
        for c in range(columns):
            cell = row[1 + c]
            if values[c] is None:
                assert cell == "", row
            else:
                # The file's four decimals come back as they were written.
                assert abs(float(cell) - values[c]) < 5e-5 * max(1, abs(values[c])), (row, values)

check(sys.argv[1], sys.argv[2], 1)
check(sys.argv[3], sys.argv[4], 2)
PY

cat > plot.gp <<'GP'
set terminal dumb size 100,30
set datafile separator ','
set xdata time
set timefmt '%Y-%m-%d %H:%M:%S'
set format x '%d'
set key autotitle columnhead
plot 'gapsw.csv' using 1:2 with lines, '' using 1:3 axes x1y2 with lines
GP
out=$(gnuplot plot.gp 2>&1) || fail "gnuplot failed: $out"
! grep -qi 'warning\|error\|skipping' <<<"$out" || fail "gnuplot complained: $out"
grep -q '\*' <<<"$out" || fail "gnuplot drew no curve: $out"
echo "csv_readers: Python's csv module and gnuplot read the written files"
