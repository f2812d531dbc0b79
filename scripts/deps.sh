#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need,
# only those that are missing. Sourced by scripts/run and scripts/test.
set -euo pipefail

DUSKWHEEL_PACKAGES=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-serialport-dev libgl1-mesa-dev
  # Noto Sans for the windows, Noto Naskh/Sans Arabic for the Arabic prayer names
  fonts-dejavu-core fonts-noto-core
  xvfb xauth clang-format locales
)

missing=()
for p in "${DUSKWHEEL_PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
