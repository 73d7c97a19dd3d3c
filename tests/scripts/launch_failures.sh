#!/usr/bin/env bash
# Whole quenlo-host runs of launches that cannot go ahead: a required path left
# empty is named in one message and the panel stays open with everything
# typed; a tool or project file that cannot be written (missing folder,
# read-only file) starts no simulator, says so in one message, writes no STL
# file for an unwritable project, and the settings are stored all the same.
set -uo pipefail
source "$(dirname "$0")/lib/common.bash"
work=$(mktemp -d); trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
root="$work/起動 失敗"
mkdir -p "$root/user" "$root/addins" "$root/out" "$root/ro"
if [ "$mode" = windows ]; then
  export WINEPREFIX="$build/wineprefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fi
run() { (cd "$root" && quenlo_host "$@"); }
base="$(host_path "$root")"
out_dir="$base${sep}out${sep}"
ini="$root/user/Halvorn/TARVIK.ini"
cp "$src/examples/demo/addins/default_template.prj" "$root/addins/"
json_esc() { printf '%s' "${1//\\/\\\\}"; }
cat > "$root/job.json" <<JSON
{ "format": "quenlo-job/1",
  "host": { "user_folder": "user/", "addin_folder": "addins", "code_page": 932 },
  "machine_group": {
    "nc": { "file": "$(json_esc "${out_dir}part.NC")", "prefix": "", "suffix": ".NC" },
    "stock": { "shape": "solid", "size": [10, 10, 10], "origin": [0, 0, 0], "origin_code": 0,
               "solid": { "box": { "min": [0, 0, 0], "max": [10, 10, 10] } } } } }
JSON
exe="${out_dir}無い.exe"
# The outputs go; the NC program (which the check before the launch passes) stays.
reset_out() { rm -f "$root/out/"*; echo "G0 X0" > "$root/out/part.NC"; }
reset_out
fill=(--do "type exe $exe" --do "type mch m.mch" --do "type prj ${out_dir}p.prjx" --do "type tol ${out_dir}t.tol")

# Each required path empty in turn; then typed in, and the launch goes ahead.
for field in exe:実行形式 mch:機械定義 nc_file:NCファイル prj:プロジェクトファイル tol:工具ファイル; do
  name=${field%%:*}; label=${field#*:}
  rm -f "$ini"
  out=$(run job.json "${fill[@]}" --do "type wcs.x 4.5" --do "type $name " --do "click launch" --do "show wcs.x" \
        --do "click cancel"); status=$?
  check "$name empty: exit 0" '[ $status -eq 0 ]'
  check "$name empty: one message naming it" \
    '[ "$(echo "$out" | grep -c "^message:")" -eq 1 ] && echo "$out" | grep -qxF "message: 起動するには次の項目を入力してください：$label"'
  check "$name empty: the panel stays open with what was typed" 'echo "$out" | grep -qx "shown: wcs.x = 4.5"'
  check "$name empty: nothing started" '! echo "$out" | grep -q "^start"'
  check "$name empty: nothing stored" '[ ! -e "$ini" ]'
done
out=$(run job.json --do "type mch m.mch" --do "click launch" --do "type exe $exe" --do "type prj ${out_dir}p.prjx" \
      --do "type tol ${out_dir}t.tol" --do "click launch")
check "all empty but one: every one named, in the panel's order" \
  'echo "$out" | grep -qxF "message: 起動するには次の項目を入力してください：実行形式、プロジェクトファイル、工具ファイル"'
check "filled in afterwards: the launch goes ahead" 'echo "$out" | grep -qF "シミュレーターを起動できません: $exe"'
check "filled in afterwards: what was typed first is stored" 'grep -qa "^mch=m.mch" "$ini"'
reset_out

# The tool file's folder is missing: the project is written, nothing started, settings stored.
rm -f "$ini"
out=$(run job.json "${fill[@]}" --do "type tol ${out_dir}無い${sep}t.tol" --do "click launch"); status=$?
echo "$out"
check "tool file unwritable: exit 0" '[ $status -eq 0 ]'
check "tool file unwritable: one message saying nothing was started" \
  '[ "$(echo "$out" | grep -c "^message:")" -eq 1 ] && echo "$out" | grep -qxF "message: 工具ファイル「${out_dir}無い${sep}t.tol」を保存できませんでした。" && echo "$out" | grep -qx "シミュレーターは起動しませんでした。"'
check "tool file unwritable: nothing started" '! echo "$out" | grep -q "^start"'
check "tool file unwritable: the project is written" '[ -s "$root/out/p.prjx" ]'
check "tool file unwritable: settings stored" 'grep -qa "^mch=m.mch" "$ini"'

# A read-only project file: kept, no STL written, nothing started, settings stored.
rm -f "$ini"; reset_out
printf 'old project' > "$root/ro/p.prjx"; chmod a-w "$root/ro/p.prjx"
ro_prj="$base${sep}ro${sep}p.prjx"
out=$(run job.json "${fill[@]}" --do "type prj $ro_prj" --do "click launch"); status=$?
echo "$out"
check "read-only project: exit 0" '[ $status -eq 0 ]'
check "read-only project: one message naming it" \
  '[ "$(echo "$out" | grep -c "^message:")" -eq 1 ] && echo "$out" | grep -qxF "$ro_prj" && echo "$out" | grep -qx "シミュレーターは起動しませんでした。"'
check "read-only project: kept" '[ "$(cat "$root/ro/p.prjx")" = "old project" ]'
check "read-only project: no STL beside the NC file" '[ ! -e "$root/out/part.NC.stl" ]'
check "read-only project: the tool file is written" '[ -e "$root/out/t.tol" ]'
check "read-only project: nothing started" '! echo "$out" | grep -q "^start"'
check "read-only project: settings stored" 'grep -qaF "$(printf "prj=%s" "$ro_prj" | iconv -f UTF-8 -t CP932)" "$ini"'

# A read-only tool file: kept, nothing started.
reset_out
printf 'old tools' > "$root/ro/t.tol"; chmod a-w "$root/ro/t.tol"
out=$(run job.json "${fill[@]}" --do "type tol $base${sep}ro${sep}t.tol" --do "click launch")
check "read-only tool file: kept" '[ "$(cat "$root/ro/t.tol")" = "old tools" ]'
check "read-only tool file: nothing started" '! echo "$out" | grep -q "^start"'
check "read-only tool file: one message" '[ "$(echo "$out" | grep -c "^message:")" -eq 1 ]'

# The project's folder is missing: no STL beside the NC file either.
reset_out
out=$(run job.json "${fill[@]}" --do "type prj ${out_dir}無い${sep}p.prjx" --do "click launch")
check "project folder missing: no STL" '[ ! -e "$root/out/part.NC.stl" ]'
check "project folder missing: nothing started" '! echo "$out" | grep -q "^start"'
check "no temporary file left" '[ -z "$(find "$root" -name "~quenlo-*")" ]'

finish
