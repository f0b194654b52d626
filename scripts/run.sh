#!/usr/bin/env bash
# Installs what is missing, builds, and shows the program at work on the factory image.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --parallel "$(nproc)"

bin=build/dev/bin
echo "qmcal-cli show $bin/Default.dat power"
"$bin/qmcal-cli" show "$bin/Default.dat" power
echo "qmcal-cli export $bin/Default.dat $bin/DATA/Param.txt"
mkdir -p "$bin/DATA"
"$bin/qmcal-cli" export "$bin/Default.dat" "$bin/DATA/Param.txt"
echo "Exported to $bin/DATA/Param.txt"
