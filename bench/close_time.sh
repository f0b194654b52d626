#!/usr/bin/env bash
# Time from a close of the main window (as its close box asks) to the end of the qmcal process,
# in four states: idle, during a Read at the line's speed, during a Read from a radio that went
# silent, and with the PTT on against a radio that went silent. Medians of RUNS runs.
#
#   bench/close_time.sh [BIN_DIR] [CASE...]    BIN_DIR defaults to build/release/bin (built if missing)
#   RUNS=9 bench/close_time.sh build/ci/bin silent-read ptt-silent
#
# Each run starts qmcal-sim on a pseudo-terminal and qmcal on a private Xvfb display with
# --port on that terminal, waits for the radio to be found, drives the window with xdotool
# (Program > Read from the keyboard; PTT Start on the workbench's Power page with the mouse),
# then sends WM_DELETE_WINDOW (bench/close_window.py) and waits for the process to end.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${RUNS:-5}
if [ $# -gt 0 ] && [ -d "$1" ]; then
  bin=$1
  shift
else
  bin=build/release/bin
  if [ ! -x "$bin/qmcal" ] || [ ! -x "$bin/qmcal-sim" ]; then
    cmake --preset release >/dev/null && cmake --build --preset release --target qmcal qmcal-sim qmcal_default_dat >/dev/null
  fi
fi
cases=("$@")
[ ${#cases[@]} -gt 0 ] || cases=(idle read silent-read ptt-silent)
for exe in qmcal qmcal-sim; do
  [ -x "$bin/$exe" ] || { echo "no $bin/$exe" >&2; exit 2; }
done
for tool in Xvfb xdotool python3; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xvfb xdotool python3)" >&2; exit 2; }
done

work=$(mktemp -d)
xvfb_pid=
sim_pid=
app_pid=
cleanup() {
  for pid in $app_pid $sim_pid $xvfb_pid; do kill "$pid" 2>/dev/null || true; done
  exec 3>&- 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The program keeps Program.ini beside itself: run a copy.
cp "$bin/qmcal" "$work/qmcal"
[ -f "$bin/Default.dat" ] && cp "$bin/Default.dat" "$work/"

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One run of a case: prints the seconds from the close to the process's end.
run_case() {
  local name=$1 sim_args=() app_args=() settle=0.5
  case $name in
    idle) ;;
    read) sim_args=(--pace) ;;
    silent-read) sim_args=(--silent-after 1) ;;          # answers the probe only
    ptt-silent) sim_args=(--silent-after 4); app_args=(--workbench) ;;  # probe, tune, value, PTT on
    *) echo "unknown case $name" >&2; exit 2 ;;
  esac

  rm -f "$work/sim.in" "$work/sim.out"
  mkfifo "$work/sim.in"
  "$bin/qmcal-sim" "${sim_args[@]}" <"$work/sim.in" >"$work/sim.out" 2>"$work/sim.err" &
  sim_pid=$!
  exec 3>"$work/sim.in"
  for _ in $(seq 100); do [ -s "$work/sim.out" ] && break; sleep 0.05; done
  local pty
  pty=$(head -n 1 "$work/sim.out")

  local display=":$((300 + RANDOM % 300))"
  Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 3>&- &
  xvfb_pid=$!
  sleep 1
  DISPLAY=$display ASAN_OPTIONS=detect_leaks=0 "$work/qmcal" --port "$pty" "${app_args[@]}" >/dev/null 2>&1 3>&- &
  app_pid=$!
  local window
  window=$(DISPLAY=$display xdotool search --sync --onlyvisible --name 'Debug Parameter' | head -n 1)
  sleep 2  # the detector finds the radio
  DISPLAY=$display xdotool windowfocus --sync "$window"
  case $name in
    read|silent-read) DISPLAY=$display xdotool key alt+p; sleep 0.3; DISPLAY=$display xdotool key Return ;;
    ptt-silent) DISPLAY=$display xdotool mousemove --window "$window" 320 198 click 1 ;;
  esac
  sleep "$settle"
  local closed ended
  closed=$(DISPLAY=$display python3 bench/close_window.py "$window")
  wait "$app_pid" || true
  ended=$(date +%s.%N)
  app_pid=
  exec 3>&-
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  sim_pid=
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=
  awk -v a="$closed" -v b="$ended" 'BEGIN { printf "%.3f\n", b - a }'
}

echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg) (the figures only mean something on a quiet machine)"
for name in "${cases[@]}"; do
  times=()
  for _ in $(seq "$runs"); do
    times+=("$(run_case "$name")")
  done
  echo "$name: ${times[*]} s; median $(printf '%s\n' "${times[@]}" | median) s"
done
