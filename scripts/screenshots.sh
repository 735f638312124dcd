#!/usr/bin/env bash
# Saves a PNG picture of each page of airwright into the folder given, so that
# the program can be looked at without a desktop:
#   scripts/screenshots.sh shots/        ->  shots/01-Tab_Selection.png, ...
# It builds the program when needed and runs it under Xvfb when that is
# installed, else on Qt's offscreen platform (which needs no X server).
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: $0 FOLDER" >&2
  exit 2
fi
mkdir -p "$1"
folder="$(cd "$1" && pwd)"
cd "$(dirname "$0")/.."

build="${AW_BUILD_DIR:-build}"
program="$build/src/app/airwright"
if [ ! -x "$program" ]; then
  scripts/setup.sh
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAW_BUILD_TESTS=OFF -DAW_BUILD_BENCH=OFF
  cmake --build "$build" -j"$(nproc)" --target airwright
fi

# The pictures are taken in a settings home of their own, so that the user's
# preferences neither change them nor are changed by them. That home has no
# stored locale: --language keeps the first-start locale choice from waiting.
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/runtime"
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" \
  XDG_RUNTIME_DIR="$home/runtime"

if command -v xvfb-run >/dev/null 2>&1; then
  xvfb-run -a -s "-screen 0 1920x1080x24" env QT_QPA_PLATFORM=xcb "$program" --language en --screenshots "$folder"
else
  # A full-HD virtual screen, so that the window takes its usual size.
  printf '{"screens":[{"name":"shot","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96,"dpr":1}]}' \
    >"$home/screen.json"
  QT_QPA_PLATFORM="offscreen:configfile=$home/screen.json" "$program" --language en --screenshots "$folder"
fi
ls "$folder"/*.png
