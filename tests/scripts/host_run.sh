#!/usr/bin/env bash
# quenlo-host runs the add-in from a job and a panel script, in folders with
# Japanese names: a launch stores the settings, the next run opens with them,
# a job without a machine group gets the message, and bad jobs and scripts
# end with status 2 and a clear message.
set -uo pipefail
source "$(dirname "$0")/lib/common.bash"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
root="$work/ユーザー作業"
mkdir -p "$root/user" "$root/addins"
run() { (cd "$root" && quenlo_host "$@"); }

cat > "$root/job.json" <<'JSON'
{ "format": "quenlo-job/1",
  "host": { "user_folder": "user/", "addin_folder": "addins", "code_page": 932 },
  "machine_group": { "nc": { "file": "D:\\NC\\main.NC", "prefix": "D:\\NC\\", "suffix": ".NC" } } }
JSON
cat > "$root/launch.panel" <<'PANEL'
type exe C:\シミュレータ\Tarvik.exe   # Japanese folder name
type mch C:\機械\vmc.mch
type prj C:\作業\part1.prjx
type tol C:\作業\part1.tol
type wcs.x 1.5
click launch
PANEL
out=$(run job.json --script launch.panel); status=$?
echo "$out"
check "launch run exits 0" '[ $status -eq 0 ]'
check "the host names the add-in's version, then the handshake is answered" \
  '[ "$(echo "$out" | sed -n 1,2p)" = "$(printf "add-in: Tarvik.dll %s\nversion: 2800" "$project_version")" ]'
check "panel docked" 'echo "$out" | grep -qx "panel docked: Quenlo for Tarvik/Pellast"'
check "panel removed" 'echo "$out" | grep -qx "panel removed"'
ini="$root/user/Halvorn/TARVIK.ini"
check "store written" '[ -f "$ini" ]'
expected=$(printf 'mch=C:\\機械\\vmc.mch\r' | iconv -f UTF-8 -t CP932)
check "store holds the path in code page 932" 'grep -qaF "$expected" "$ini"'
check "store row" 'grep -qa "^xyz 0=1.5 0 0 0 0 0 0 0 0" "$ini"'
before=$(md5sum < "$ini")
out=$(run job.json --do "click cancel")
check "a cancelled run leaves the store as it was" '[ "$(md5sum < "$ini")" = "$before" ]'
check "no timing without --timing" '! grep -q "^panel shown" <<<"$out"'
# --timing: one line, after the panel's opening and before the user acts.
for panel in "" --headless; do
  out=$(run job.json --do "click cancel" --timing $panel)
  check "--timing $panel: when the panel was shown" \
    '[ "$(grep -c "^panel shown: [0-9]*\.[0-9]\{6\} ms after Run$" <<<"$out")" = 1 ] &&
     [ "$(grep -E "^panel (docked|shown)" <<<"$out" | cut -c1-12 | tr "\n" "|")" = "panel docked|panel shown:|" ]'
done

out=$(run job.json --version 2850 --do "click cancel")
check "version echoed" 'echo "$out" | grep -qx "version: 2850"'

sed 's/"machine_group": {.*/"machine_group": null }/' "$root/job.json" > "$root/nogroup.json"
out=$(run nogroup.json)
check "no machine group message" 'echo "$out" | grep -qx "message: マシングループがありません"'

echo '{ "format": "quenlo-job/1", "machine_group": { "operations": [ { "type": "mill" } ] } }' > "$root/bad.json"
err=$(run bad.json 2>&1 >/dev/null); status=$?
echo "$err"
check "bad job exits 2" '[ $status -eq 2 ]'
check "bad job names the JSON path" 'echo "$err" | grep -q "/machine_group/operations/0/type: expected an integer"'
echo 'not json' > "$root/junk.json"
run junk.json >/dev/null 2>&1; status=$?
check "junk job exits 2" '[ $status -eq 2 ]'
out=$(run job.json --do "frobnicate x"); status=$?
check "bad script exits 2" '[ $status -eq 2 ]'
check "bad script names the line" 'echo "$out" | grep -q "script: line 1: unknown action"'

finish
