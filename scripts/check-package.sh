#!/usr/bin/env bash
# Install and package check: installs the programs and their desktop files
# into a temporary prefix, validates the desktop entry, the MIME package and
# the software-centre description with the desktop's own tools, builds the
# .deb with CPack, checks its files and dependencies, and installs and removes
# it with apt as a user would.
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

# The package as a user installs it: apt resolves its dependencies, the
# desktop's triggers register the menu entry and the file type, the installed
# programs run, and removing the package leaves none of its files. Only as
# root (or with sudo), and never over an airwright the machine already has.
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo -n)
if [ -z "$deb" ]; then
  :
elif dpkg-query -W -f='${Status}' airwright 2>/dev/null | grep -q "install ok installed"; then
  echo "== apt install skipped: this machine has airwright installed"
elif ! "${as_root[@]}" true 2>/dev/null; then
  echo "== apt install skipped: needs root or sudo"
else
  echo "== apt-get install ./$(basename "$deb")"
  cp "$deb" "$work/airwright.deb"
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "$work/airwright.deb" \
    >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install"; }
  # The programs run as a user with a home of their own.
  home="$work/user"
  mkdir -p -m 700 "$home/runtime"
  as_user=(env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache"
           XDG_RUNTIME_DIR="$home/runtime" XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORM=offscreen)
  "${as_user[@]}" /usr/bin/airwright-cli select --save-project "$work/room.awr" >/dev/null ||
    fail "the installed airwright-cli cannot select"
  type="$("${as_user[@]}" xdg-mime query filetype "$work/room.awr" || true)"
  [ "$type" = application/x-airwright-project ] || fail "installed: a project is typed $type"
  app="$("${as_user[@]}" xdg-mime query default application/x-airwright-project || true)"
  [ "$app" = airwright.desktop ] || fail "installed: a project opens with '$app'"
  "${as_user[@]}" /usr/bin/airwright --language en --screenshots "$work/shots" "$work/room.awr" >"$work/window.log" 2>&1 ||
    { cat "$work/window.log"; fail "the installed airwright cannot show the project"; }
  [ -s "$work/shots/03-Tab_Results.png" ] || fail "the installed airwright photographed no Results page"
  [ ! -e "$home/data/applications/airwright.desktop" ] || fail "the installed airwright registered itself per user"
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get remove -y -q --purge airwright >>"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get remove"; }
  for f in "${installed[@]}"; do
    [ ! -e "/usr/$f" ] || fail "removing the package left /usr/$f"
  done
fi

if [ "$failures" -gt 0 ]; then
  echo "check-package: $failures failure(s)" >&2
  exit 1
fi
echo "check-package: install, desktop files and package are in order"
