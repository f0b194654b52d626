#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the run need, only when missing.
# The fonts stand in for the dialogs' Windows fonts; without a Chinese one the Chinese texts
# show as empty boxes.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n   # lupdate, lrelease, Qt's own catalogues
  googletest libgtest-dev libgmock-dev
  xvfb xauth
  shared-mime-info libglib2.0-bin   # the MIME package's test: update-mime-database, gio
  fonts-wqy-microhei fonts-liberation2
  clang libclang-rt-dev   # the fuzz preset: clang, and libFuzzer with the sanitizer runtimes
)

# --package: also what the release build needs for the Debian package (man pages from --help).
if [ "${1:-}" = "--package" ]; then
  packages+=(help2man)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
