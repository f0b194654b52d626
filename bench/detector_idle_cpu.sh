#!/usr/bin/env bash
# Processor load of qmcal while its port detector searches and no radio answers.
#
#   bench/detector_idle_cpu.sh [BIN_DIR]          # default build/release/bin (built if missing)
#   SECONDS_PER_RUN=30 RUNS=5 NO_PORTS=1 bench/detector_idle_cpu.sh build/dev/bin
#   NO_PORTS=1 bench/detector_idle_cpu.sh build/dev/bin --port /dev/ttyS0   # only that port
#
# Each run starts qmcal on a private Xvfb display, lets it settle for 2 s, then reads its user and
# system time from /proc before and after SECONDS_PER_RUN seconds. NO_PORTS=1 hides the system's
# serial ports (a private mount namespace with an empty /sys/class/tty; needs root), which is the
# case where the detector has nothing to open and must wait between passes.
set -euo pipefail
cd "$(dirname "$0")/.."

bin=${1:-build/release/bin}
shift || true
runs=${RUNS:-5}
seconds=${SECONDS_PER_RUN:-30}
if [ ! -x "$bin/qmcal" ] && [ "$bin" = build/release/bin ]; then
  cmake --preset release >/dev/null && cmake --build --preset release --target qmcal >/dev/null
fi
command -v Xvfb >/dev/null || { echo "needs Xvfb (apt-get install xvfb)" >&2; exit 1; }

tick=$(getconf CLK_TCK)
empty=$(mktemp -d)
trap 'rmdir "$empty"' EXIT

cpu_ticks() {  # utime + stime of a process, in clock ticks
  awk '{ print $14 + $15 }' "/proc/$1/stat"
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
results=()
for run in $(seq "$runs"); do
  display=":$((200 + RANDOM % 300))"
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  if [ "${NO_PORTS:-0}" = 1 ]; then
    DISPLAY=$display ASAN_OPTIONS=detect_leaks=0 unshare -m sh -c \
      'mount --bind "$0" /sys/class/tty && exec "$@"' "$empty" "$bin/qmcal" "$@" >/dev/null 2>&1 &
  else
    DISPLAY=$display ASAN_OPTIONS=detect_leaks=0 "$bin/qmcal" "$@" >/dev/null 2>&1 &
  fi
  qmcal=$!
  sleep 2
  before=$(cpu_ticks "$qmcal")
  sleep "$seconds"
  after=$(cpu_ticks "$qmcal")
  kill "$qmcal"; wait "$qmcal" 2>/dev/null || true
  kill "$xvfb"; wait "$xvfb" 2>/dev/null || true
  percent=$(awk -v t=$((after - before)) -v hz="$tick" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * t / hz / s }')
  echo "run $run: $((after - before)) ticks in ${seconds} s = ${percent} % of one core"
  results+=("$percent")
done
median=$(printf '%s\n' "${results[@]}" | sort -g | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }')
echo "median: ${median} % of one core"
