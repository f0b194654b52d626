#!/usr/bin/env bash
# Times a whole `qmcal-cli read` against `qmcal-sim --pace` (the radio at the real line speed)
# and prints the median against the line's own time; a Write Rssi is timed beside it.
#
#   bench/read_bench.sh [BIN_DIR]      BIN_DIR defaults to build/release/bin (built if missing)
#   RUNS=9 bench/read_bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${RUNS:-5}
bin=${1:-}
if [ -z "$bin" ]; then
  bin=build/release/bin
  if [ ! -x "$bin/qmcal-cli" ] || [ ! -x "$bin/qmcal-sim" ] || [ ! -f "$bin/Default.dat" ]; then
    cmake --preset release >/dev/null
    cmake --build --preset release --target qmcal-cli qmcal-sim qmcal_default_dat >/dev/null
  fi
fi
for exe in qmcal-cli qmcal-sim; do
  [ -x "$bin/$exe" ] || { echo "no $bin/$exe" >&2; exit 2; }
done

work=$(mktemp -d)
# Its session log goes there too, not into the build's DATA folder.
export QMCAL_DATA_DIR="$work"
sim_pid=
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# The simulator serves until its standard input closes; keep it open on a pipe.
mkfifo "$work/sim.in"
"$bin/qmcal-sim" --pace <"$work/sim.in" >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
exec 3>"$work/sim.in"
for _ in $(seq 100); do
  [ -s "$work/sim.out" ] && break
  sleep 0.05
done
pty=$(head -n 1 "$work/sim.out")
[ -n "$pty" ] || { echo "qmcal-sim gave no terminal" >&2; cat "$work/sim.err" >&2; exit 1; }

echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg) (the figures only mean something on a quiet machine)"

now() { date +%s.%N; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# 286 frames of 7 bytes out and 12 back, 10 bits a byte at 9600 baud.
read_line_time=$(awk 'BEGIN { printf "%.3f", 286 * (7 + 12) * 10 / 9600 }')
# 11 Store frames of 10 bytes out and the 4-byte Ack back.
rssi_line_time=$(awk 'BEGIN { printf "%.3f", 11 * (10 + 4) * 10 / 9600 }')

read_times=()
rssi_times=()
for i in $(seq "$runs"); do
  start=$(now)
  "$bin/qmcal-cli" read --no-backup "$pty" "$work/read.dat" >/dev/null
  end=$(now)
  read_times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')")

  start=$(now)
  "$bin/qmcal-cli" write-rssi "$work/read.dat" "$pty" >/dev/null
  end=$(now)
  rssi_times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')")
  echo "run $i: read ${read_times[-1]} s, write-rssi ${rssi_times[-1]} s"
done
exec 3>&-

read_median=$(printf '%s\n' "${read_times[@]}" | median)
rssi_median=$(printf '%s\n' "${rssi_times[@]}" | median)
awk -v m="$read_median" -v p="$read_line_time" -v r="$rssi_median" -v q="$rssi_line_time" -v n="$runs" 'BEGIN {
  printf "read:       median %.3f s over %d runs, line time %.3f s, ratio %.3f (target <= 1.05)\n", m, n, p, m / p
  printf "write-rssi: median %.3f s, line time %.3f s\n", r, q
}'
