#!/usr/bin/env bash
# The longest gap between the ticks of a 10 ms timer on the UI thread while the main window
# waits for the radio: a Read at the line's speed, a Read from a silent radio, and 5 s of Auto
# on the RSSI page against a silent radio; and how long Program > Write with its read-back takes
# against the line's own time. Medians of RUNS runs.
#
#   bench/ui_stall.sh                  builds ui_stall in the release preset, 5 runs
#   RUNS=9 bench/ui_stall.sh build/dev/bin [--sync] [read|silent-read|auto|write...]
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${RUNS:-5}
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ] && [ -d "$1" ]; then
  bin=$1
  shift
else
  bin=build/release/bin
  cmake --preset release >/dev/null
  cmake --build --preset release --target ui_stall >/dev/null
fi
[ -x "$bin/ui_stall" ] || { echo "no $bin/ui_stall (cmake --build --preset PRESET --target ui_stall)" >&2; exit 2; }

echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg) (the figures only mean something on a quiet machine)"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} \
  "$bin/ui_stall" --runs "$runs" "$@" 2> >(grep -v -e '^QStandardPaths:' >&2)
