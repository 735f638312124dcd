#!/usr/bin/env bash
# Sets up, builds and starts airwright on its embedded catalogue.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAW_BUILD_TESTS=OFF -DAW_BUILD_BENCH=OFF
cmake --build build -j"$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
  echo "airwright: this machine has no display, so the window cannot open."
  echo "The same jobs run headless with the command-line front: build/src/cli/airwright-cli --help"
  exit 1
fi
exec build/src/app/airwright "$@"
