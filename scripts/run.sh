#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on a simulated radio.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --parallel "$(nproc)"

qmcal=build/dev/bin/qmcal
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<MSG
No display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set).
Run it from a desktop session, or on a virtual display:
  xvfb-run -a $qmcal --simulate
or with no screen at all (nothing is drawn anywhere; for scripts):
  QT_QPA_PLATFORM=offscreen $qmcal --simulate
MSG
  exit 1
fi
echo "$qmcal --simulate $*"
exec "$qmcal" --simulate "$@"
