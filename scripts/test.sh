#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer, UndefinedBehaviorSanitizer and
# warnings as errors, and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh
cmake --preset ci
cmake --build --preset ci --parallel "$(nproc)"
ctest --preset ci --parallel "$(nproc)"
