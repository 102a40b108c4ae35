#!/usr/bin/env bash
# Side-by-side benchmark: DATRAX against the tools a user would otherwise pick,
# as whole processes on the same files in the same run. Generates the input
# files once (bench/make_peer_files.py), installs the peers when missing, then
# runs every case RUNS times, the cases taking turns, and prints the medians
# with the peers' ratios as a Markdown table. Peak memory comes from one more
# run of each case under /usr/bin/time -v.
#
#   bench/peers.sh [BUILD_DIR]     (make bench-peers)
#
# Environment: RUNS (default 5), PEERS_DATA (folder of the input files,
# default BUILD_DIR/bench-peers).
#
# The replay runs share one profile file in that folder, written by the
# first: a run starts as a user's does, from the profile of the last run,
# not as the very first run that writes a fresh one.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
DATA=${PEERS_DATA:-$BUILD/bench-peers}
RUNS=${RUNS:-5}
PY=/usr/bin/python3  # Debian's, the one python3-numpy belongs to

install_peers() {
  local missing=()
  for p in gnuplot-nox python3-numpy time; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "peers: installing ${missing[*]}" >&2
  local sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

install_peers
for exe in datrax datrax-replay; do
  [ -x "$BUILD/$exe" ] || { echo "peers: $BUILD/$exe is missing; run make build first" >&2; exit 1; }
done
mkdir -p "$DATA"
echo "peers: input files in $DATA" >&2
$PY "$ROOT/bench/make_peer_files.py" "$DATA"
cd "$DATA"

# The plot of all 6,000,000 samples: the five values of each line as five
# curves over the line number, the whole file in one picture.
GNUPLOT_CURVES="plot for [c=1:5] 'big.dat' every ::3 using 0:c with lines notitle"
R="$BUILD/datrax-replay --dir $DATA --profile $DATA/datra.pro"
declare -A CMD=(
  [wc]="wc -l big.dat"
  [version]="$BUILD/datrax --version"
  [empty]="$R ''"
  [read]="$R 'dbig.dat{enter}'"
  [numpy]="$PY -c 'import numpy; numpy.loadtxt(\"big.dat\", skiprows=3)'"
  [ggp]="$R 'dbig.ggp{enter}'"
  [wc_ggp]="wc -l big.ggp"
  [draw]="$R 'dbig.dat{enter}dnn{enter}'"
  [png]="gnuplot -e \"set terminal png size 1024,768; set output 'peer.png'; $GNUPLOT_CURVES\""
  [save]="$R 'dbig.dat{enter}dnn{enter}sy'"
  [hpgl]="gnuplot -e \"set terminal hpgl; set output 'peer.plt'; $GNUPLOT_CURVES\""
)
CASES=(wc version empty read numpy ggp wc_ggp draw png save hpgl)

declare -A TIMES MEM
clean_outputs() { rm -f big.plt peer.png peer.plt; }
eval "$R ''" >/dev/null 2>&1  # the profile file of the runs

run_once() {  # case -> microseconds of wall time
  clean_outputs
  local t0=$EPOCHREALTIME
  eval "${CMD[$1]}" >/dev/null 2>&1
  local t1=$EPOCHREALTIME
  echo $(( 10#${t1/./} - 10#${t0/./} ))
}

for ((r = 1; r <= RUNS; ++r)); do
  echo "peers: round $r of $RUNS" >&2
  for c in "${CASES[@]}"; do TIMES[$c]+="$(run_once "$c") "; done
done
for c in "${CASES[@]}"; do
  clean_outputs
  eval "/usr/bin/time -v -o time.txt ${CMD[$c]}" >/dev/null 2>&1
  MEM[$c]=$(awk -F': ' '/Maximum resident set size/ {print int($2 / 1024 + 0.5)}' time.txt)
done
clean_outputs
rm -f time.txt datra.pro

median() { tr ' ' '\n' <<<"$1" | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
secs() { awk -v u="$(median "${TIMES[$1]}")" 'BEGIN {printf (u < 10000 ? "%.4f s" : "%.3f s"), u / 1e6}'; }
cell() { echo "$(secs "$1"), ${MEM[$1]} MB"; }
ratio() { awk -v a="$(median "${TIMES[$1]}")" -v b="$(median "${TIMES[$2]}")" 'BEGIN {printf "%.1fx", a / b}'; }

cpu=$(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo)
echo
echo "Medians of $RUNS runs, whole processes, $(nproc) cores ($cpu), load $(cut -d' ' -f1-3 /proc/loadavg), $(date -u +%Y-%m-%d)."
echo
echo "| work | DATRAX | peer (same run) | ratio | target |"
echo "|---|---|---|---|---|"
echo "| start and stop, no file: \`datrax --version\` | $(cell version) | \`wc -l\` of the 73 MB file: $(cell wc) | $(ratio version wc) of \`wc -l\` | within 1x \`wc -l\` |"
echo "| empty replay, \`datrax-replay ''\` | $(cell empty) | - | - | under 0.03 s |"
echo "| read DATRA \`(5f12.6)\`, 6,000,000 samples, 73 MB | $(cell read) | \`wc -l\`: $(cell wc) | $(ratio read wc) of \`wc -l\` | within 4x \`wc -l\` |"
echo "| the same | | numpy.loadtxt: $(cell numpy) | $(ratio numpy read) faster | 15x |"
echo "| read GGP, one second for 30 days, 2,592,000 lines, 93 MB | $(cell ggp) | \`wc -l\`: $(cell wc_ggp) | $(ratio ggp wc_ggp) of \`wc -l\` | within 6x \`wc -l\` |"
echo "| read DATRA and draw it on the screen | $(cell draw) | gnuplot \`png\`: $(cell png) | $(ratio png draw) faster | 14x, peak under 60 MB |"
echo "| read, draw and save the HP-GL plot file (108 MB) | $(cell save) | gnuplot \`hpgl\`: $(cell hpgl) | $(ratio hpgl save) faster | 10x |"
