#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer, UndefinedBehaviorSanitizer and
# warnings as errors, runs every test through CTest, then each fuzz harness for a few seconds
# (FUZZ_SECONDS, default 15; 0 skips them) so that they keep building and stay clean.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh
cmake --preset ci
cmake --build --preset ci --parallel "$(nproc)"
ctest --preset ci --parallel "$(nproc)"

fuzz_seconds="${FUZZ_SECONDS:-15}"
if [ "$fuzz_seconds" -gt 0 ]; then
  ./scripts/fuzz.sh "$fuzz_seconds"
fi
