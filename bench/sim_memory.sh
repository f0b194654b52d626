#!/usr/bin/env bash
# The simulator's heap after many Reads: qmcal-sim runs under valgrind's massif while
# `qmcal-cli read` reads its whole calibration region READS times (286 frames each); the
# peak heap is printed. With a bounded frame log the peak does not grow with READS.
#
#   bench/sim_memory.sh [BIN_DIR]      BIN_DIR defaults to build/dev/bin
#   READS=50 bench/sim_memory.sh
set -euo pipefail
cd "$(dirname "$0")/.."

reads=${READS:-20}
bin=${1:-build/dev/bin}
for exe in qmcal-cli qmcal-sim; do
  [ -x "$bin/$exe" ] || { echo "no $bin/$exe" >&2; exit 2; }
done
command -v valgrind >/dev/null || { echo "needs valgrind (apt-get install valgrind)" >&2; exit 2; }

work=$(mktemp -d)
sim_pid=
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

mkfifo "$work/sim.in"
valgrind --tool=massif --pages-as-heap=no --massif-out-file="$work/massif.out" \
  "$bin/qmcal-sim" ${SIM_ARGS:-} <"$work/sim.in" >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
exec 3>"$work/sim.in"
for _ in $(seq 400); do
  [ -s "$work/sim.out" ] && break
  sleep 0.05
done
pty=$(head -n 1 "$work/sim.out")
[ -n "$pty" ] || { echo "qmcal-sim gave no terminal" >&2; cat "$work/sim.err" >&2; exit 1; }

for _ in $(seq "$reads"); do
  "$bin/qmcal-cli" read "$pty" "$work/radio.dat" >/dev/null
done
exec 3>&-
wait "$sim_pid" || true
sim_pid=

peak=$(grep '^mem_heap_B=' "$work/massif.out" | cut -d= -f2 | sort -n | tail -1)
echo "reads: $reads ($((reads * 286)) frames), peak heap of qmcal-sim: $peak bytes"
