#!/usr/bin/env bash
# Installs the Debian packages QV-Config needs to build and test (only those
# missing), then configures and builds into build/: the targets named on the
# command line (`./setup.sh qv-config` builds the program alone), or all.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-serialport-dev qt6-qpa-plugins
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth xdotool
  fonts-dejavu-core
  poppler-utils
  qt6-translations-l10n
  python3
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}"
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE"
fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build --parallel "$(nproc)" "${targets[@]}"
