#!/usr/bin/env bash
# Linewright against what a user would pick instead for the same work, whole
# process and wall time: gnuplot (pngcairo) for function plots, matplotlib (Agg)
# for colour maps and contours, ezdxf for a surface as DXF, numpy for formulas per
# point (through formula_bench). Each pair runs in turn RUNS times (default 7); the
# table gives the medians and their ratio with its target.
#
#   bench/peers.sh [BUILD_BIN] [BASELINE_BIN]
#
# BUILD_BIN defaults to build/bin. With BASELINE_BIN (a copy of an older build/bin)
# the start-up and DXF rows also compare against that build.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-"$here/build/bin"}
baseline=${2:-}
runs=${RUNS:-7}
docs="$here/bench/peers"
py=/usr/bin/python3

# The peers, installed from the distribution when missing.
wanted=()
for p in gnuplot-nox python3-matplotlib python3-numpy python3-ezdxf; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || wanted+=("$p")
done
if [ ${#wanted[@]} -gt 0 ]; then
  sudo=(); [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "${wanted[@]}" >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cli="$bin/linewright-cli"

cat >"$work/functions.gp" <<EOF
set terminal pngcairo size 1600,1200
set output '$work/gnuplot.png'
set samples 1600
set xrange [-10:10]
set yrange [-10:10]
plot sin(x)*5, x*x/10, tan(x), 1/(x-1)
EOF

cat >"$work/map.py" <<'EOF'
import sys
import numpy as np
import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
kind, out = sys.argv[1], sys.argv[2]
x = np.linspace(-10, 10, 1600)
y = np.linspace(-10, 10, 1200)
X, Y = np.meshgrid(x, y)
Z = np.sin(X) * np.cos(Y) * 5 - X / (Y * Y + 1)
fig = plt.figure(figsize=(16, 12), dpi=100)
ax = fig.add_axes([0, 0, 1, 1])
if kind == "map":
    ax.imshow(Z, origin="lower", extent=(-10, 10, -10, 10), aspect="auto")
else:
    ax.contour(X, Y, Z, levels=[0], colors="red", linewidths=1)
fig.savefig(out)
EOF

cat >"$work/surface.py" <<'EOF'
import math, sys
import ezdxf
n = 101
xs = [-10 + 0.2 * i for i in range(n)]
z = [[math.sin(x) * math.cos(y) * 5 - x / (y * y + 1) for x in xs] for y in xs]
doc = ezdxf.new()
msp = doc.modelspace()
for j in range(n - 1):
    for i in range(n - 1):
        a = (xs[i], xs[j], z[j][i])
        b = (xs[i + 1], xs[j], z[j][i + 1])
        c = (xs[i + 1], xs[j + 1], z[j + 1][i + 1])
        d = (xs[i], xs[j + 1], z[j + 1][i])
        msp.add_3dface([a, b, c, c])
        msp.add_3dface([a, c, d, d])
doc.saveas(sys.argv[1])
EOF

# Seconds of wall time of one run of a command, its output thrown away.
seconds() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo "scale=4; ($end - $start) / 1000000000" | bc
}

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# row LABEL TARGET -- OURS... -- PEER...
row() {
  local label=$1 target=$2
  shift 3
  local ours=() peer=()
  while [ "$1" != "--" ]; do ours+=("$1"); shift; done
  shift
  peer=("$@")
  local a=() b=()
  for ((r = 0; r < runs; ++r)); do
    a+=("$(seconds "${ours[@]}")")
    b+=("$(seconds "${peer[@]}")")
  done
  local ma mb
  ma=$(printf '%s\n' "${a[@]}" | median)
  mb=$(printf '%s\n' "${b[@]}" | median)
  local ratio
  ratio=$(echo "scale=3; $ma / $mb" | bc)
  local verdict="met"
  [ "$(echo "$ratio <= $target" | bc)" -eq 1 ] || verdict="NOT met"
  printf '%-34s %9.3f %9.3f %8.3f %8s  %s\n' "$label" "$ma" "$mb" "$ratio" "<= $target" "$verdict"
}

printf '%-34s %9s %9s %8s %8s\n' "work (1600 x 1200)" "ours s" "peer s" "ratio" "target"
row "functions to PNG / gnuplot" 0.5 -- \
  "$cli" render2d "$docs/functions.lwf" -o "$work/f.png" --size 1600x1200 -- \
  gnuplot "$work/functions.gp"
row "colour map to PNG / matplotlib" 0.25 -- \
  "$cli" render2d "$docs/colour-map.lwf" -o "$work/m.png" --size 1600x1200 -- \
  "$py" "$work/map.py" map "$work/mpl-map.png"
row "contour to PNG / matplotlib" 0.12 -- \
  "$cli" render2d "$docs/contour.lwf" -o "$work/c.png" --size 1600x1200 -- \
  "$py" "$work/map.py" contour "$work/mpl-contour.png"
row "101 x 101 surface to DXF / ezdxf" 1 -- \
  "$cli" build3d "$docs/surface-101.lwf" -o "$work/s.dxf" -- \
  "$py" "$work/surface.py" "$work/ezdxf.dxf"
if [ -n "$baseline" ]; then
  row "empty document to PNG / baseline" 0.4 -- \
    "$cli" render2d "$docs/empty.lwf" -o "$work/e.png" --size 1600x1200 -- \
    "$baseline/linewright-cli" render2d "$docs/empty.lwf" -o "$work/e0.png" --size 1600x1200
  row "1001 x 1001 surface DXF / baseline" 0.34 -- \
    "$cli" build3d "$docs/surface-1001.lwf" -o "$work/s1.dxf" -- \
    "$baseline/linewright-cli" build3d "$docs/surface-1001.lwf" -o "$work/s0.dxf"
fi

if [ -x "$bin/formula_bench" ]; then
  echo
  "$bin/formula_bench" --benchmark_min_time=0.2 2>/dev/null | sed -n '/^formula /,$p'
fi
