#!/usr/bin/env bash
# Install and package check: installs the programs and their desktop files
# into a temporary prefix, validates the desktop entry, the MIME package and
# the software-centre description with the desktop's own tools, builds the
# .deb with CPack and checks its files and dependencies.
# Usage: scripts/check-package.sh [build folder, default build-test]
# The package of a sanitizer build depends on the sanitizer libraries; the one
# to hand out comes from a Release build (cmake -DCMAKE_BUILD_TYPE=Release).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-test}"
[ -f "$build/CMakeCache.txt" ] || { echo "check-package: $build is not a configured build folder" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cmake --build "$build" -j2 --target airwright airwright-cli airwright-icons >"$work/build.log" 2>&1 ||
  { cat "$work/build.log"; exit 1; }
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

installed=(
  bin/airwright
  bin/airwright-cli
  share/applications/airwright.desktop
  share/mime/packages/airwright.xml
  share/metainfo/com.korvath.airwright.metainfo.xml
  share/icons/hicolor/scalable/apps/airwright.svg
)
for size in 16 24 32 48 64 128 256; do
  installed+=("share/icons/hicolor/${size}x${size}/apps/airwright.png")
done

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in "${installed[@]}"; do
  [ -f "$prefix/$f" ] || fail "cmake --install did not install $f"
done
for size in 16 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/airwright.png"
  file "$png" | grep -q "PNG image data, $size x $size" || fail "$png is not a ${size}x${size} PNG"
done

desktop-file-validate "$prefix/share/applications/airwright.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/com.korvath.airwright.metainfo.xml" ||
  fail "appstreamcli validate"
# The MIME package as the desktop reads it: a project file is typed as ours by name and by content.
mkdir -p "$work/mime/packages"
cp "$prefix/share/mime/packages/airwright.xml" "$work/mime/packages/"
XDG_DATA_HOME="$work" update-mime-database "$work/mime" || fail "update-mime-database"
printf 'AWR002\n' > "$work/room.awr"
printf 'AWR002\n' > "$work/room-copy"
for f in room.awr room-copy; do
  type="$(XDG_DATA_HOME="$work" XDG_DATA_DIRS="$work" XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$work/$f")"
  [ "$type" = application/x-airwright-project ] || fail "$f is typed $type"
done

# CPack installs the build into its own staging folder.
(cd "$build" && cpack -B "$work/package") >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb="$(find "$work/package" -maxdepth 1 -name "airwright_*.deb" | head -n1)"
if [ -z "$deb" ]; then
  fail "cpack wrote no .deb"
else
  echo "== dpkg-deb --info $(basename "$deb")"
  dpkg-deb --info "$deb"
  echo "== dpkg-deb --contents $(basename "$deb")"
  dpkg-deb --contents "$deb" | tee "$work/listing"
  awk '{print $6}' "$work/listing" >"$work/contents"
  for f in "${installed[@]}"; do
    grep -qx "\./usr/$f" "$work/contents" || fail "the package lacks /usr/$f"
  done
  depends="$(dpkg-deb --field "$deb" Depends)"
  for p in libqt6widgets6 libqt6svg6 libstdc++6; do
    [[ "$depends" == *"$p"* ]] || fail "Depends lacks $p: $depends"
  done
  # The packaged (stripped) program still runs.
  dpkg-deb --extract "$deb" "$work/root"
  version="$("$work/root/usr/bin/airwright-cli" version 2>&1)" || fail "the packaged airwright-cli does not run: $version"
  [[ "$version" == *"$(dpkg-deb --field "$deb" Version)"* ]] || fail "the packaged airwright-cli says $version"
fi

if [ "$failures" -gt 0 ]; then
  echo "check-package: $failures failure(s)" >&2
  exit 1
fi
echo "check-package: install, desktop files and package are in order"
