#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Idempotent: apt-get runs only when something is missing, and `apt-get update`
# only right before such an install.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config make
  qtbase5-dev qtbase5-dev-tools libqt5serialport5-dev libqt5svg5-dev
  libjsoncpp-dev libcjson-dev nettle-dev libbluetooth-dev
  libgtest-dev libgmock-dev googletest
  clang libclang-rt-14-dev
  fonts-wqy-microhei
  curl python3
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
