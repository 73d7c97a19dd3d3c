#!/usr/bin/env bash
# The whole link, end to end: the registry names the stand-in simulator, a
# panel script fills the paths and launches, the add-in writes the tool file,
# the project file and the stock's STL file, starts the simulator with
# -prjf "PROJECT", and stores the settings; the simulator finds everything; a
# second run opens with the stored settings. Folders with Japanese names and
# blanks; under Wine quenlo-host.exe loads Tarvik.dll and ShellExecuteW starts
# tarvik-standin.exe at code page 932.
set -uo pipefail
source "$(dirname "$0")/lib/common.bash"
work=$(mktemp -d)
root="$work/加工 データ"
mkdir -p "$root/user" "$root/addins" "$root/出力" "$root/機械"

# Paths as the add-in and the simulator see them.
if [ "$mode" = windows ]; then
  export WINEPREFIX="$build/wineprefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  simulator="$(host_path "$build/bin/tarvik-standin.exe")"
else
  simulator="$build/bin/tarvik-standin"
fi
cleanup() {
  [ "$mode" = windows ] && env LC_ALL=ja_JP.UTF-8 wine regedit /S "$(host_path "$src/tests/data/simulator/clean.reg")" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
run() { (cd "$root" && quenlo_host "$@"); }

base="$(host_path "$root")"
nc="$base${sep}出力${sep}部品 1.NC"
prj="$base${sep}出力${sep}部品 1.prjx"
tol="$base${sep}出力${sep}部品 1.tol"
mch="$base${sep}機械${sep}立形 mc.mch"
log="$work/simulator.log"
export TARVIK_STANDIN_LOG="$(host_path "$log")"

# The registry: Tarvik Arden 2.2 installed where the stand-in simulator is.
esc() { printf '%s' "${1//\\/\\\\}"; }
{ printf '\xff\xfe'; printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TARVIK Arden 2.2_is1]\r\n"DisplayIcon"="%s"\r\n' "$(esc "$simulator")" | iconv -f UTF-8 -t UTF-16LE; } > "$root/machine.reg"
if [ "$mode" = windows ]; then
  env LC_ALL=ja_JP.UTF-8 wine regedit /S "$(host_path "$src/tests/data/simulator/clean.reg")"
  env LC_ALL=ja_JP.UTF-8 wine regedit /S "$(host_path "$root/machine.reg")"
fi

cp "$src/examples/demo/addins/default_template.prj" "$root/addins/"
echo "G0 X0 Y0" > "$root/出力/部品 1.NC"
echo "machine" > "$root/機械/立形 mc.mch"
json_esc() { printf '%s' "${1//\\/\\\\}"; }
cat > "$root/job.json" <<JSON
{ "format": "quenlo-job/1",
  "host": { "user_folder": "user/", "addin_folder": "addins", "code_page": 932, "registry": "machine.reg" },
  "machine_group": {
    "nc": { "file": "$(json_esc "$nc")", "prefix": "", "suffix": ".NC" },
    "stock": { "shape": "solid", "size": [100, 50, 20], "origin": [0, 0, 0], "origin_code": 0,
               "solid": { "box": { "min": [0, 0, 0], "max": [100, 50, 20] } } },
    "operations": [
      { "type": 1, "tool": { "number": 3, "id": 1001, "diameter": 10, "d_number": 3, "h_number": 3,
                             "comment": "フラット D10" }, "holder_number": 0 } ] },
  "tools": {
    "assemblies": [ { "id": 1001, "type_code": 13, "overall_length": 75, "projection": 60, "total_holder_length": 40,
                      "profile": [ { "kind": "L", "start": [0, 0], "end": [5, 0] },
                                   { "kind": "L", "start": [5, 0], "end": [5, 75] } ] } ],
    "holders": [ { "number": 0, "name": "デフォルトホルダ", "by_number": true, "levels": [ [63, 0, 40] ] } ] } }
JSON
cat > "$root/launch.panel" <<PANEL
show exe
type mch $mch
type prj $prj
type tol $tol
type wcs.x 12.5
click launch
PANEL

out=$(run job.json --script launch.panel); status=$?
echo "$out"
check "first run exits 0" '[ $status -eq 0 ]'
check "the registry's simulator is in the panel" 'echo "$out" | grep -qF "shown: exe = $simulator ["'
check "the host saw the simulator started with -prjf and the project" \
  'echo "$out" | grep -qxF "started: $simulator -prjf \"$prj\""'
check "no message" '! echo "$out" | grep -q "^message:"'
if [ "$mode" = windows ]; then
  # ShellExecuteW as the host sees it: "open", no working folder (the simulator starts in the
  # host's folder), shown normally, owned by the host's main window.
  check "ShellExecuteW asked to open, no folder, SW_SHOWNORMAL, owned by the main window" \
    'echo "$out" | grep -qx "shell execute: verb \"open\", folder none, show 1, owner the main window"'
fi
check "tool file written" 'grep -qa "^T3 USERDEFTOOL 75.000000 0 " "$root/出力/部品 1.tol"'
check "project file written (code page 932)" \
  'grep -qaF "$(printf ".ncdfile   \"%s\"" "$nc" | iconv -f UTF-8 -t CP932)" "$root/出力/部品 1.prjx"'
check "stock STL written" '[ -s "$root/出力/部品 1.NC.stl" ]'
for i in $(seq 1 100); do grep -qs "^loaded$\|^error:" "$log" && break; sleep 0.1; done
echo "--- simulator log"; cat "$log" 2>/dev/null
check "simulator got -prjf" 'grep -qx "argument 1: -prjf" "$log"'
check "simulator got the project as one argument" 'grep -qxF "argument 2: $prj" "$log"'
check "no third argument" '! grep -q "^argument 3" "$log"'
check "simulator loaded everything" 'grep -qx "loaded" "$log"'
check "simulator found the NC file" 'grep -qxF "nc file: $nc" "$log"'
check "simulator read the tool" 'grep -qF "T3 USERDEFTOOL length 75.000000 cycle 0 holder /0 profile [0 0 5 0 5 75] comment \"フラット D10\"" "$log"'
check "simulator read D and H" 'grep -qx "  D3 5.000000" "$log" && grep -qx "  H3 100.000000" "$log"'
check "simulator read the holder" 'grep -qx "  /0 STD_HOLDER \[63.000000 40.000000\]" "$log"'
check "simulator read the stock solid" 'grep -q "^stock solid: .*STL, 12 triangles" "$log"'
check "simulator read the work offset" 'grep -qx "work offset EXOFS: 12.5 0 0 0 0 0 0 0 0" "$log"'
ini="$root/user/Halvorn/TARVIK.ini"
check "store holds the project" 'grep -qaF "$(printf "prj=%s" "$prj" | iconv -f UTF-8 -t CP932)" "$ini"'
check "store holds the executable" 'grep -qaF "$(printf "exe=%s" "$simulator" | iconv -f UTF-8 -t CP932)" "$ini"'

# The second run opens with the stored settings and launches again.
rm -f "$log"
out=$(run job.json --do "show prj" --do "show tol" --do "show wcs.x" --do "click launch"); status=$?
echo "$out"
check "second run exits 0" '[ $status -eq 0 ]'
check "second run shows the stored project" 'echo "$out" | grep -qxF "shown: prj = $prj"'
check "second run shows the stored offset" 'echo "$out" | grep -qx "shown: wcs.x = 12.5"'
check "second run starts the simulator again" 'echo "$out" | grep -qxF "started: $simulator -prjf \"$prj\""'
for i in $(seq 1 100); do grep -qs "^loaded$\|^error:" "$log" && break; sleep 0.1; done
check "second start loads everything" 'grep -qx "loaded" "$log"'

# A simulator that cannot be started: one message naming it; the settings are still stored.
missing="$base${sep}無い${sep}Tarvik.exe"
out=$(run job.json --do "type exe $missing" --do "click launch"); status=$?
check "unstartable simulator: run exits 0" '[ $status -eq 0 ]'
check "unstartable simulator: one message naming it" \
  '[ "$(echo "$out" | grep -c "^message:")" -eq 1 ] && echo "$out" | grep -qxF "message: シミュレーターを起動できません: $missing"'
check "unstartable simulator: settings stored" 'grep -qaF "$(printf "exe=%s" "$missing" | iconv -f UTF-8 -t CP932)" "$ini"'

finish
