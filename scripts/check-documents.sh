#!/usr/bin/env bash
# Real-client check of the documents the program writes: LibreOffice converts
# the sample RTF and the selection report to PDF, and poppler's tools check
# their texts, page numbers and pictures; the program's own PDFs are checked
# the same way. Calc opens the material list of a unit with options and
# writes it as CSV, which must hold every article, quantity and description
# in its own cell.
# Usage: scripts/check-documents.sh [build folder with src/cli/airwright-cli]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-test}"
cli="$build/src/cli/airwright-cli"
[ -x "$cli" ] || cmake --build "$build" -j2 --target airwright-cli

packages=(libreoffice-writer-nogui libreoffice-calc-nogui poppler-utils fonts-droid-fallback)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -q
  "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}"
mkdir -p "$HOME"
failures=0
fail() { echo "check-documents: $*" >&2; failures=$((failures + 1)); }

"$cli" document sample --out "$work/sample.rtf" >/dev/null
"$cli" document sample --out "$work/own.pdf" >/dev/null
timeout 180 soffice --headless --convert-to pdf --outdir "$work/lo" "$work/sample.rtf" >/dev/null 2>&1 \
  || fail "LibreOffice could not convert sample.rtf"

# Texts in reading order, each after the one before.
expected=("Airwright" "Sample document" "Airwright sample document" "Text and pictures"
  "é ł 日本 ✔ { } \\" "A table with spans" "Supply and exhaust" "m³/h" "One cell over three columns"
  "Korvath ventilation" "Page 1" "Second page" "End of the sample document." "Page 2")
check_pdf() {
  local pdf="$1" name="$2" text rest
  [ -f "$pdf" ] || { fail "$name: no PDF"; return; }
  [ "$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')" = 2 ] || fail "$name: not two pages"
  text="$(pdftotext "$pdf" -)"
  rest="$text"
  for piece in "${expected[@]}"; do
    case "$rest" in
      *"$piece"*) rest="${rest#*"$piece"}" ;;
      *) fail "$name: \"$piece\" missing or out of order" ;;
    esac
  done
  case "$text" in *'$1'* | *"Page 11"*) fail "$name: page caption not filled in" ;; esac
}
check_pdf "$work/lo/sample.pdf" "LibreOffice PDF of sample.rtf"
check_pdf "$work/own.pdf" "airwright PDF"

# The picture: present in LibreOffice's PDF and no wider than the page.
if [ -f "$work/lo/sample.pdf" ]; then
  page_width="$(pdfinfo "$work/lo/sample.pdf" | awk '/^Page size:/ {print $3}')"
  images="$(pdfimages -list "$work/lo/sample.pdf" | awk 'NR > 2 && $3 == "image"')"
  [ -n "$images" ] || fail "LibreOffice PDF: no picture"
  echo "$images" | awk -v w="$page_width" '$13 > 0 && $4 / $13 * 72 > w {bad = 1} END {exit bad}' \
    || fail "LibreOffice PDF: picture wider than the page"
fi

# The selection report: LibreOffice converts the RTF, and both PDFs show the
# sections in order with the unit, its key results, the pictures and the page numbers.
"$cli" report --family brisa --out "$work/report.rtf" >/dev/null || fail "airwright-cli report (RTF) failed"
"$cli" report --family brisa --out "$work/report.pdf" >/dev/null || fail "airwright-cli report (PDF) failed"
timeout 180 soffice --headless --convert-to pdf --outdir "$work/lo" "$work/report.rtf" >/dev/null 2>&1 \
  || fail "LibreOffice could not convert report.rtf"
picked="$("$cli" select --family brisa --json | python3 -c '
import json, sys
p = json.load(sys.stdin)["picked"]
print(p["name"])
print("%.1f%%" % p["cooling"]["temperatureEfficiency_pct"])')"
unit="$(sed -n 1p <<<"$picked")"
efficiency="$(sed -n 2p <<<"$picked")"
report_expected=("Specification Data" "Selected ventilation device: $unit" "Room Airflow Conditions" "Cooling" "Heating"
  "Selection Data" "$efficiency" "Page 1" "Selected option data" "KRC-10" "Commissioning parameters" "Technical data"
  "Psychrometric Points" "Psychrometric Diagram" "Fan Characteristics" "Efficiency Data" "Corrected Efficiency Data"
  "Configuration Data")
# $3: the smallest number of pictures at least 600 px wide (the charts and
# graphs are pictures in the RTF; the program's own PDF draws them as vectors).
check_report() {
  local pdf="$1" name="$2" wide="$3" text rest pages
  [ -f "$pdf" ] || { fail "$name: no PDF"; return; }
  text="$(pdftotext "$pdf" - | tr -s ' \n' '  ')"
  rest="$text"
  for piece in "${report_expected[@]}"; do
    case "$rest" in
      *"$piece"*) rest="${rest#*"$piece"}" ;;
      *) fail "$name: \"$piece\" missing or out of order" ;;
    esac
  done
  pages="$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')"
  case "$text" in *"Page $pages"*) ;; *) fail "$name: no \"Page $pages\" on its last page" ;; esac
  case "$text" in *'$1'*) fail "$name: a placeholder was not filled in" ;; esac
  [ "$(pdfimages -list "$pdf" | awk 'NR > 2 && $3 == "image"' | wc -l)" -ge 1 ] || fail "$name: no logo"
  [ "$(pdfimages -list "$pdf" | awk 'NR > 2 && $3 == "image" && $4 >= 600' | wc -l)" -ge "$wide" ] \
    || fail "$name: fewer than $wide charts and graphs"
}
check_report "$work/lo/report.pdf" "LibreOffice PDF of report.rtf" 6
check_report "$work/report.pdf" "airwright report PDF" 0


# The material list: Calc's CSV quotes every text cell, so the quantities of
# the unit and its options, unquoted, were read as numbers.
"$cli" materials --supply-filter F7 --exhaust-filter F7 --section-header 'Lüftung & <Co> "A" 😀' \
  --out "$work/materials.xml" >/dev/null
timeout 180 soffice --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1' --outdir "$work/lo" \
  "$work/materials.xml" >/dev/null 2>&1 || fail "Calc could not convert materials.xml"
expected_csv='"Model","Qty","Description"
"Lüftung & <Co> ""A"" 😀","1","All"
"Brisa 500",1,"Brisa 500 [KVB-500]"
"KRC-10",1,"Wired remote controller with weekly timer"
"KFS-F7-500",2,"F7 filter set for Brisa 500"'
if [ -f "$work/lo/materials.csv" ]; then
  [ "$(tr -d '\r' < "$work/lo/materials.csv")" = "$expected_csv" ] \
    || fail "Calc's cells of materials.xml differ: $(cat "$work/lo/materials.csv")"
else
  fail "Calc wrote no CSV of materials.xml"
fi


[ "$failures" -eq 0 ] && echo "check-documents: RTF through LibreOffice, the own PDFs and the material list through Calc are as written"
exit $((failures > 0))
