#!/usr/bin/env bash
# Saves a PNG picture of each page of airwright into the folder given, so that
# the program can be looked at without a desktop. It saves one project per
# family and one with a design condition no unit can meet (airwright-cli
# select ... --save-project), opens each in the window and photographs every
# page, on a 1440 × 900 and on a 1366 × 768 screen:
#   scripts/screenshots.sh shots/  ->  shots/1440x900/dorsa-03-Tab_Results.png, ...
# It builds the programs when needed and runs the window under Xvfb when that
# is installed, else on Qt's offscreen platform (which needs no X server).
# AW_SCREENS="1920x1080" picks other screen sizes; QT_SCALE_FACTOR is passed on.
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
cli="$build/src/cli/airwright-cli"
if [ ! -x "$program" ] || [ ! -x "$cli" ]; then
  scripts/setup.sh
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAW_BUILD_TESTS=OFF -DAW_BUILD_BENCH=OFF
  cmake --build "$build" -j"$(nproc)" --target airwright airwright-cli
fi

# The pictures are taken in a settings home of their own, so that the user's
# preferences neither change them nor are changed by them. That home has no
# stored locale: --language keeps the first-start locale choice from waiting
# (AW_LANGUAGE=de or fr photographs the window in that language).
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/runtime"
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" \
  XDG_RUNTIME_DIR="$home/runtime"

# One project per case: its name, then the options of airwright-cli select.
# The impossible case has outdoor air hotter than any unit may take in.
cases=(
  "brisa|--family brisa"
  "dorsa|--family dorsa"
  "pelmar-mf|--family pelmar-mf"
  "brisa-impossible|--family brisa --cooling-ambient 55,90"
)

# shoot SCREEN PROJECT OUT: the pictures of the project's pages on a screen of that size.
shoot() {
  local width="${1%x*}" height="${1#*x}"
  if command -v xvfb-run >/dev/null 2>&1; then
    xvfb-run -a -s "-screen 0 ${width}x${height}x24" env QT_QPA_PLATFORM=xcb \
      "$program" --language "${AW_LANGUAGE:-en}" --screenshots "$3" "$2"
  else
    printf '{"screens":[{"name":"shot","x":0,"y":0,"width":%d,"height":%d,"logicalDpi":96,"dpr":1}]}' \
      "$width" "$height" >"$home/screen.json"
    QT_QPA_PLATFORM="offscreen:configfile=$home/screen.json" "$program" --language "${AW_LANGUAGE:-en}" --screenshots "$3" "$2"
  fi
}

for entry in "${cases[@]}"; do
  name="${entry%%|*}"
  read -r -a options <<<"${entry#*|}"
  project="$home/$name.awr"
  # A selection message (the impossible case) exits with 2 after saving.
  status=0
  "$cli" select "${options[@]}" --save-project "$project" >/dev/null 2>"$home/$name.err" || status=$?
  if [ ! -f "$project" ] || [ "$status" -eq 1 ]; then
    echo "$0: the $name project could not be saved:" >&2
    cat "$home/$name.err" >&2
    exit 1
  fi
  for screen in ${AW_SCREENS:-1440x900 1366x768}; do
    shots="$home/shots-$name-$screen"
    shoot "$screen" "$project" "$shots"
    mkdir -p "$folder/$screen"
    for picture in "$shots"/*.png; do
      mv "$picture" "$folder/$screen/$name-$(basename "$picture")"
    done
  done
done
ls "$folder"/*/*.png
