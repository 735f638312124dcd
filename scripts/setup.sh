#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and nothing when all are there.
set -euo pipefail

packages=(
  g++ cmake make
  qt6-base-dev libqt6svg6
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev libpugixml-dev
  fonts-dejavu-core
  shared-mime-info desktop-file-utils xdg-utils libglib2.0-bin
  librsvg2-bin appstream dpkg-dev file
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
