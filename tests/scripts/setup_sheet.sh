#!/usr/bin/env bash
# The setup sheet at a launch, on both builds with the clock fixed
# (QUENLO_CLOCK) and the NC files' times set: the bundled example and a job of
# 20 tools give the golden pages byte for byte (the Windows build the same
# bytes); the 20-tool job's first launch replaces a garbage sheet (初回) and
# escapes a tool comment that holds markup; a second launch with a tool
# lengthened, one added, one removed and a work offset moved lists those
# changes; setup_sheet=0 in the store and 工具のみ保存 write no sheet.
# QUENLO_UPDATE_GOLDEN=1 renews the golden pages instead of comparing.
set -uo pipefail
source "$(dirname "$0")/lib/common.bash"
work=$(mktemp -d)
trap 'rm -rf "$work" 2>/dev/null || { sleep 2; rm -rf "$work"; }' EXIT
[ "$mode" = windows ] && export WINEPREFIX="$build/wineprefix" WINEARCH=win64 WINEDEBUG=-all
export TZ=UTC QUENLO_CLOCK="2026-12-09 10:30:00"
export TARVIK_STANDIN_LOG="$(host_path "$work/simulator.log")"
data="$src/tests/data/sheet"
if [ "$mode" = windows ]; then simulator="$(host_path "$build/bin/tarvik-standin.exe")"
else simulator="$build/bin/tarvik-standin"; fi

# prepare ROOT JOB.json NC_FILE PANEL: a job folder as a CAM system and a user leave it.
prepare() {
  local root="$1" nc_name
  mkdir -p "$root/out" "$root/user" "$root/machines" "$root/addins"
  cp "$src/examples/demo/addins/default_template.prj" "$root/addins/"
  cp "$2" "$root/job.json"
  nc_name=$(basename "$3")
  cp "$3" "$root/out/$nc_name"
  touch -d "2026-12-01 08:00:00" "$root/out/$nc_name"
  echo "; vertical machining centre" > "$root/machines/vmc.mch"
  : > "$root/machine.reg"
  { echo "type exe $simulator"; cat "$4"; } > "$root/launch.panel"
}
run() { (cd "$1" && shift && quenlo_host job.json --headless "$@"); }
golden() {  # golden FILE NAME
  page="$1"; name="$2"
  if [ -n "${QUENLO_UPDATE_GOLDEN:-}" ]; then cp "$page" "$data/$name"; fi
  check "$name: the golden page, byte for byte" 'cmp "$page" "$data/$name"'
}

# The bundled example.
demo="$work/demo"
prepare "$demo" "$src/examples/demo/job.json" "$src/examples/demo/job1.NC" "$src/examples/demo/launch.panel"
out=$(run "$demo" --script launch.panel); echo "$out"
check "example: launched" 'grep -q "^started: " <<<"$out" && ! grep -q "^message:" <<<"$out"'
golden "$demo/out/part1.setup.html" demo.setup.html

# 工具のみ保存 writes no sheet; nor does a launch with setup_sheet=0 (the old sheet stays).
rm "$demo/out/part1.setup.html"
out=$(run "$demo" --do "click save-tools")
check "save-tools: tool file written, no sheet" '[ -e "$demo/out/part1.tol" ] && [ ! -e "$demo/out/part1.setup.html" ]'
echo "old sheet" > "$demo/out/part1.setup.html"
printf 'setup_sheet=0\r\n' >> "$demo/user/Halvorn/TARVIK.ini"
out=$(run "$demo" --script launch.panel)
check "setup_sheet=0: launched, no message" 'grep -q "^started: " <<<"$out" && ! grep -q "^message:" <<<"$out"'
check "setup_sheet=0: the old sheet untouched" '[ "$(cat "$demo/out/part1.setup.html")" = "old sheet" ]'

# The 20-tool job over a garbage sheet.
job="$work/job20"
prepare "$job" "$data/job20.json" "$data/job20.NC" "$data/job20.panel"
printf '<html><script type="application/json" id="setup-data">{"format":"quenlo-setup-sheet/1","tools":[{"t":</script>\n' \
  > "$job/out/job20.setup.html"
out=$(run "$job" --script launch.panel); echo "$out"
check "20 tools: the check asked, launched" 'grep -q "^message answer: yes" <<<"$out" && grep -q "^started: " <<<"$out"'
sheet="$job/out/job20.setup.html"
golden "$sheet" job20.setup.html
check "20 tools: a garbage previous sheet is no previous sheet" 'grep -q "初回" "$sheet"'
check "20 tools: markup in a comment is text" \
  'grep -qF "&lt;script&gt;alert(1)&lt;/script&gt; &amp; &quot;引用&quot;" "$sheet" && [ "$(grep -c "<script" "$sheet")" -eq 1 ]'
check "20 tools: the data block cannot be closed by a comment" 'grep -qF "\u003cscript\u003ealert(1)\u003c/script\u003e" "$sheet"'

# The second launch: T3 lengthened, T19 added (the second operation of T2
# renumbered), T21 removed, G55's X moved. The sheet it replaces has 100 KB
# after its data block, which then does not stand in the page's end part
# that is read first: the whole page is read for it.
head -c 100000 /dev/zero | tr '\0' ' ' >> "$sheet"
sed -e '/"id": 1003,/s/"overall_length": 60/"overall_length": 64/' -e '/"number": 21,/d' \
    -e '/二度目/s/"number": 2,/"number": 19,/' "$data/job20.json" > "$job/job.json"
sed -i 's/^type wcs.x 100$/type wcs.x 101/' "$job/launch.panel"
out=$(run "$job" --script launch.panel)
changes=$(sed -n '/<section class="changes">/,/<\/section>/p' "$sheet")
echo "$changes"
for line in "T3 全長 60 → 64" "T19 追加" "T21 削除" "G55 X 100 → 101"; do
  check "changes: $line" 'grep -qxF "<li>$line</li>" <<<"$changes"'
done
check "changes: nothing else" '[ "$(grep -c "<li>" <<<"$changes")" -eq 4 ]'
check "changes: the changed tools marked" 'grep -qF "＊T3<" "$sheet" && grep -qF "＊T19<" "$sheet" && ! grep -qF "＊T4<" "$sheet"'
finish
