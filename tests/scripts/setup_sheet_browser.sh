#!/usr/bin/env bash
# The setup sheet in a real browser: Debian's chromium, headless, renders the
# golden sheets (the bytes both builds write, tests/data/sheet) to PNG and to
# A4 PDF. The PDF's text holds every tool number and every work offset the
# sheet lists (nothing cut off), and the pages are as many as the layout
# intends: the bundled example on one page, the 20-tool job on three (rows
# never split, so each page ends at a whole row). The rendering does not
# depend on the build: it runs once, with the native build's tests.
set -uo pipefail
source "$(dirname "$0")/lib/common.bash"
if [ "$mode" = windows ]; then echo "rendered with the native build's tests"; finish; exit; fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for tool in chromium pdftotext pdfinfo; do
  check "$tool is installed (scripts/install-deps)" 'command -v $tool >/dev/null' || { finish; exit; }
done
render() {  # render PAGE OUT.{png,pdf}: a fresh profile each time, nothing fetched
  timeout 120 chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$(mktemp -d -p "$work")" --hide-scrollbars \
    "$2" "file://$1" >/dev/null 2>&1
}
for case in "demo 1" "job20 3"; do
  set -- $case; name=$1; pages=$2
  page="$src/tests/data/sheet/$name.setup.html"
  render "$page" --screenshot="$work/$name.png" --window-size=820,1200
  check "$name: a PNG" '[ -s "$work/$name.png" ] && [ "$(head -c 4 "$work/$name.png" | tail -c 3)" = PNG ]'
  render "$page" --print-to-pdf="$work/$name.pdf" --no-pdf-header-footer
  text=$(pdftotext -layout "$work/$name.pdf" - 2>/dev/null)
  # Every tool number and work offset of the page's data block.
  words=$(grep -o '"t":[0-9]*' "$page" | sed 's/"t":/T/'; grep -o '"code":"[^"]*"' "$page" | sed 's/"code":"\(.*\)"/\1/')
  check "$name: the sheet lists some tools and offsets" '[ "$(wc -l <<<"$words")" -ge 2 ]'
  missing=$(for w in $words; do grep -qw -- "$w" <<<"$text" || echo "$w"; done)
  check "$name: the PDF holds every T number and work offset (missing: ${missing//$'\n'/ })" '[ -z "$missing" ]'
  check "$name: the PDF shows the Japanese text" 'grep -q "セットアップシート" <<<"$text"'
  count=$(pdfinfo "$work/$name.pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
  check "$name: $pages A4 page(s) (the PDF has ${count:-none})" '[ "$count" = "$pages" ]'
  size=$(pdfinfo "$work/$name.pdf" 2>/dev/null | sed -n 's/^Page size: *\([0-9.]*\) x \([0-9.]*\).*/\1 \2/p')
  check "$name: A4, 595 x 842 pt within a point ($size)" \
    'awk -v s="$size" "BEGIN { split(s, a, \" \"); exit !(a[1] > 594 && a[1] < 596.5 && a[2] > 841 && a[2] < 843.5) }"'
done
finish
