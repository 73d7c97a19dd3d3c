#!/usr/bin/env bash
# A user's plausible mistakes, played through quenlo-host on the job of the
# launch tests (a solid stock, so every launch writes the tool, project and
# STL files, the store and a settings file): an output named as one of the
# job's own files, paths the code page 932 cannot carry, refused boxes,
# templates and settings files that are not what they claim. Each refused
# command must leave every file as it was, write no wrong path anywhere, and
# say so once.
set -uo pipefail
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/launch_files.bash"
new_launch_work
base="$(host_path "$root")$sep"
out="${base}out$sep"
nc="${out}part.NC"

# Runs the panel script $1 (@OUT@ and @BASE@ stand for the output folder and
# the job's) on the job, with the panel's model (or in its real window with
# $2 = --in-window); $out_text holds what the host saw.
session() {
  local text="${1//@OUT@/$out}" window="${2:---headless}"
  printf '%s\n' "${text//@BASE@/$base}" > "$root/case.panel"
  [ "$window" = --in-window ] && window=""
  out_text=$( (cd "$root" && quenlo_host job.json --script case.panel $window) 2>&1)
}
# Every file below the job's folder, with its checksum.
tree_state() { (cd "$root" && find . -type f ! -name case.panel -exec md5sum {} + | sort); }
messages() { echo "$out_text" | grep -c '^message: '; }
said() { echo "$out_text" | grep -q "^message: $1"; }
started() { echo "$out_text" | grep -q '^started: '; }
# A launch that fills every required field, then the case's own lines.
fill() {
  printf 'type exe %s\ntype mch %smachine.mch\ntype prj @OUT@part.prjx\ntype tol @OUT@part.tol\n' \
    "$launch_simulator" "$base"
}
# The panel script $3 must be refused: one message matching $2, nothing
# changed or started.
refused() {
  local name="$1" pattern="$2" before
  before=$(tree_state)
  session "$3"
  check "$name: refused once" '[ "$(messages)" = 1 ] && said "$pattern"' || echo "$out_text"
  check "$name: nothing written" '[ "$(tree_state)" = "$before" ]'
  check "$name: nothing started" '! started'
}

# Outputs that are the job's own files, however the path is spelt.
if [ "$mode" = windows ]; then nc_other="${out}.${sep}PART.nc"; else nc_other="${out}..${sep}out${sep}part.NC"; fi
refused "tool file = NC program" "工具ファイルとNCファイルが同じファイルです：$(printf %s "$nc_other" | sed 's/[\\.]/\\&/g')" \
  "$(fill; echo "type tol $nc_other"; echo "click launch")"
refused "project = machine file" "プロジェクトファイルと機械定義が同じファイルです" \
  "$(fill; echo "type prj ${base}machine.mch"; echo "click launch")"
refused "project = template" "プロジェクトファイルとプロジェクトのテンプレートファイルが同じファイルです" \
  "$(fill; echo "type prj ${base}addins${sep}default_template.prj"; echo "click launch")"
refused "project = tool file" "工具ファイルとプロジェクトファイルが同じファイルです" \
  "$(fill; echo "type prj @OUT@part.tol"; echo "click launch")"
refused "tools only over the NC program" "工具ファイルとNCファイルが同じファイルです" \
  "$(fill; echo "type tol $nc"; echo "click save-tools")"
refused "settings file over the NC program" "設定ファイルとNCファイルが同じファイルです" \
  "$(fill; echo "answer-file $nc"; echo "click save")"

# Refused boxes stop the launch, the tools-only save and the settings save;
# so does a number beyond single precision.
before=$(tree_state)
session "$(fill; printf 'type part_x abc\nclick launch\nclick save-tools\nanswer-file @OUT@new.nvs\nclick save\n'
  printf 'type part_x 1\ntype wcs.z 1e308\nclick launch\n')"
check "refused boxes: one message each" '[ "$(echo "$out_text" | grep -c "^message: 数値を入力してください。$")" = 4 ] && [ "$(messages)" = 4 ]'
check "refused boxes: nothing written or started" '[ "$(tree_state)" = "$before" ] && ! started'

# Paths that code page 932 cannot carry: refused where the project file would
# name them, whichever characters they hold.
mkdir -p "$root/café" "$root/𠮷"
refused "paths the code page cannot carry" "NCファイルのパスに、設定ファイルやプロジェクトファイルに書けない文字があります：é" \
  "$(fill; printf 'type tol %scafé%st.tol\ntype mch %s𠮷%sm.mch\ntype wrk %s한글%sw.wrk\ntype nc_file %scafé%sp.NC\nclick launch\n' \
    "$base" "$sep" "$base" "$sep" "$base" "$sep" "$base" "$sep")"
check "every field named" 'echo "$out_text" | grep -qx "機械定義のパスに、設定ファイルやプロジェクトファイルに書けない文字があります：𠮷" &&
  echo "$out_text" | grep -qx "素材ファイルのパスに、設定ファイルやプロジェクトファイルに書けない文字があります：한글" &&
  echo "$out_text" | grep -qx "工具ファイルのパスに、設定ファイルやプロジェクトファイルに書けない文字があります：é"'

# A simulator under Zoë and a project file in café: both work, neither is
# stored (the key keeps its value), the user is told once; a settings file in
# 𠮷 is written there without those two paths.
mkdir -p "$root/Zoë"
if [ "$mode" = windows ]; then cp "$build/bin/tarvik-standin.exe" "$root/Zoë/"; zoe="${base}Zoë${sep}tarvik-standin.exe"
else cp "$build/bin/tarvik-standin" "$root/Zoë/"; zoe="${base}Zoë${sep}tarvik-standin"; fi
session "$(fill; printf 'type exe %s\ntype prj %scafé%sp.prjx\nanswer-file %s𠮷%ss.nvs\nclick save\nclick launch\n' \
  "$zoe" "$base" "$sep" "$base" "$sep")"
ini="$root/user/Halvorn/TARVIK.ini"
check "Zoë: started" 'echo "$out_text" | grep -q "^started: .*Zoë"' || echo "$out_text"
check "café: project written there" '[ -s "$root/café/p.prjx" ]'
check "not kept: told twice (settings file, store), naming both" \
  '[ "$(echo "$out_text" | grep -c "^message: 次の項目のパスには設定ファイルに書けない文字があるため、保存しませんでした（前の値のままです）：実行形式（ë）、プロジェクトファイル（é）$")" = 2 ] && [ "$(messages)" = 2 ]'
check "store keeps the old values" 'grep -aq "^prj=old.prjx" "$ini" && ! grep -aq "^exe=" "$ini" && grep -aq "^tol=" "$ini"'
check "settings file in 𠮷 without them" '[ -s "$root/𠮷/s.nvs" ] && ! grep -aq "^exe \|^prj " "$root/𠮷/s.nvs" && grep -aq "^tol " "$root/𠮷/s.nvs"'
check "no best-fit spelling anywhere" '! grep -raq "Zoe\|cafe" "$root/out" "$root/user" "$root/𠮷" "$root/café"'

# The store below a folder that code page 932 cannot name: written and read
# back through the wide path.
sed 's|"user_folder": "user/"|"user_folder": "café/𠮷 user/"|' "$root/job.json" > "$root/job-cafe.json"
mkdir -p "$root/café/𠮷 user"
session_text="$(fill; echo "click launch")"
printf '%s\n' "${session_text//@OUT@/$out}" > "$root/case.panel"
(cd "$root" && quenlo_host job-cafe.json --script case.panel --headless) > /dev/null 2>&1
out_text=$( (cd "$root" && quenlo_host job-cafe.json --do "show tol" --do "click cancel" --headless) 2>&1)
check "store in café/𠮷: written and read back" '[ -s "$root/café/𠮷 user/Halvorn/TARVIK.ini" ] && echo "$out_text" | grep -q "^shown: tol = .*part.tol$"' || echo "$out_text"

# Templates that cannot be templates: the old project file stays, nothing starts.
tpl="$root/addins/default_template.prj"; cp "$tpl" "$work/template.good"
printf 'old project file\r\n' > "$root/out/part.prjx"
for kind in empty binary utf16; do
  case $kind in
    empty) : > "$tpl" ;;
    binary) head -c 3000 "$build/bin/tarvik-standin"* > "$tpl" ;;
    utf16) { printf '\xff\xfe'; iconv -f CP932 -t UTF-16LE "$work/template.good"; } > "$tpl" ;;
  esac
  session "$(fill; echo "click launch")"
  check "$kind template: named once" '[ "$(messages)" = 1 ] && said "プロジェクトのテンプレートファイルに、プロジェクトファイルの項目が一つもありません" &&
    echo "$out_text" | grep -q "default_template.prj"' || echo "$out_text"
  check "$kind template: old project kept, nothing started" '[ "$(cat "$root/out/part.prjx")" = "$(printf "old project file\r\n")" ] && ! started'
done
cp "$work/template.good" "$tpl"

# Loading what is not a settings file changes nothing; a UTF-16 one loads.
head -c 5000 "$build/bin/tarvik-standin"* > "$root/binary.nvs"
{ printf '\xff\xfe'; iconv -f CP932 -t UTF-16LE "$src/tests/data/ui/settings_golden.nvs"; } > "$root/utf16.nvs"
session "$(printf 'type part_x 5\nanswer-file @BASE@binary.nvs\nclick load\nshow part_x\nanswer-file @BASE@utf16.nvs\nclick load\nshow mch\nclick cancel\n')"
check "binary settings file: one message, panel kept" 'said "「.*binary.nvs」は設定ファイルではありません" && echo "$out_text" | grep -qx "shown: part_x = 5"'
check "UTF-16 settings file loads" 'echo "$out_text" | grep -qxF "shown: mch = D:\\機械\\vmc 5axis.mch" && [ "$(messages)" = 1 ]'

# The host's own writer and the add-in's in one process: a snapshot of the
# real panel, then a launch that writes every file.
if [ "$mode" = windows ]; then
  printf 'old project file\r\n' > "$root/out/part.prjx"
  session "$(fill; printf 'snapshot %spanel.png\nclick launch\n' "$base")" --in-window
  check "snapshot then launch: written and started" '[ -s "$root/panel.png" ] && [ "$(messages)" = 0 ] && started &&
    grep -aq "^\.ncdfile" "$root/out/part.prjx" && [ -s "$root/out/part.NC.stl" ]' || echo "$out_text"
fi

# A store that cannot be written (its folder is a file): the message names it.
rm -rf "$root/user/Halvorn"; echo "not a folder" > "$root/user/Halvorn"
session "$(fill; echo "click launch")"
check "unwritable store: its path shown" 'echo "$out_text" | grep -A1 "^message: 設定を保存できませんでした。$" | grep -q "Halvorn.TARVIK\.ini$"' || echo "$out_text"

finish
