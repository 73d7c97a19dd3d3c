#!/usr/bin/env bash
# The NC program check in whole panel sessions: a program that uses a work
# offset whose row is all zero gets one Yes/No box at "起動". Answered No, the
# panel stays open and nothing is written or stored; the offset typed, the
# next "起動" launches without a box. Answered Yes, the launch goes on as
# without the check. With nc_check=0 in the store there is no box, and the
# store keeps that key and the order of the others. A program that sets the
# offset itself launches without a box; one saved as UTF-16 is the one
# finding that it cannot be read.
set -uo pipefail
source "$(dirname "$0")/lib/common.bash"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
root="$work/検査 作業"
mkdir -p "$root/user" "$root/addins"
cp "$src/examples/demo/addins/default_template.prj" "$root/addins/"
run() { (cd "$root" && quenlo_host "$@"); }
base="$(host_path "$root")"
nc="$base${sep}部品.NC"
ini="$root/user/Halvorn/TARVIK.ini"

# Tool 3 with D3 and H3; the program uses them, G54 and G54.1 P12 (row 18).
printf '%%\r\nO1000(荒取り T12 G54.1P1)\r\nN10 G90 G54 G00 X0 Y0\r\nN20 T3 M06\r\nN30 G43 H3 Z50.\r\nN40 G41 D3 X10.\r\nN50 G54.1 P12\r\nM30\r\n%%\r\n' |
  iconv -f UTF-8 -t CP932 > "$root/部品.NC"
json_esc() { printf '%s' "${1//\\/\\\\}"; }
cat > "$root/job.json" <<JSON
{ "format": "quenlo-job/1",
  "host": { "user_folder": "user/", "addin_folder": "addins", "code_page": 932 },
  "machine_group": {
    "nc": { "file": "$(json_esc "$nc")", "prefix": "", "suffix": ".NC" },
    "operations": [ { "type": 1, "tool": { "number": 3, "id": 1001, "diameter": 10, "d_number": 3, "h_number": 3 } } ] },
  "tools": { "assemblies": [ { "id": 1001, "overall_length": 75,
                               "profile": [ { "kind": "L", "start": [0, 0], "end": [5, 0] } ] } ] } }
JSON
# The paths of every session, and row 1 (G54) filled in.
cat > "$root/paths.panel" <<PANEL
type exe C:\シミュレータ\Tarvik.exe
type mch C:\機械\vmc.mch
type prj $base${sep}部品.prjx
type tol $base${sep}部品.tol
select wcs 1
type wcs.x 100
PANEL
box="message: NCプログラムの確認で次の点が見つかりました。
G54.1P12（7行目）: ワーク座標系の値がすべて0です

このままシミュレーターを起動しますか？"
launched() { echo "$1" | grep -q "^start" && [ -f "$root/部品.tol" ] && [ -f "$root/部品.prjx" ] && [ -f "$ini" ]; }
clean() { rm -rf "$root/user/Halvorn" "$root/部品.tol" "$root/部品.prjx"; }

# Answered No: the panel stays open as it was; the script then ends and the host hides it.
cat "$root/paths.panel" - > "$root/no.panel" <<'PANEL'
answer-no
click launch
show wcs
show wcs.x
PANEL
out=$(run job.json --script no.panel); status=$?
echo "$out"
check "no: run exits 0" '[ $status -eq 0 ]'
check "no: the box lists the zero work offset and asks" 'echo "$out" | grep -qxF "$(echo "$box" | head -1)" && [[ "$out" == *"$box"* ]]'
check "no: answered No" 'echo "$out" | grep -qx "message answer: no"'
check "no: the panel stays open as it was" \
  'echo "$out" | grep -qx "shown: wcs = 1(G54) \[entry 1 of 315\]" && echo "$out" | grep -qx "shown: wcs.x = 100"'
check "no: the panel was hidden, not removed by the launch" \
  '[ "$(echo "$out" | grep -x "panel hidden\|panel removed" | head -1)" = "panel hidden" ]'
check "no: nothing started" '! echo "$out" | grep -q "^start"'
check "no: no tool file, no project, no store" '[ ! -e "$root/部品.tol" ] && [ ! -e "$root/部品.prjx" ] && [ ! -e "$ini" ]'

# Answered No, then the offset typed and "起動" again: no box, launched.
cat "$root/paths.panel" - > "$root/fix.panel" <<'PANEL'
answer-no
click launch
select wcs 18
type wcs.z -250
click launch
PANEL
out=$(run job.json --script fix.panel); status=$?
echo "$out"
check "fix: run exits 0" '[ $status -eq 0 ]'
check "fix: one box only" '[ "$(echo "$out" | grep -c "^message answer:")" -eq 1 ]'
check "fix: launched" 'launched "$out"'
check "fix: the typed offset stored" 'grep -qa "^xyz 18=0 0 -250 0 0 0 0 0 0" "$ini"'
check "fix: G54 stored" 'grep -qa "^xyz 1=100 0 0 0 0 0 0 0 0" "$ini"'

# Answered Yes: launched as without the check.
clean
cat "$root/paths.panel" - > "$root/yes.panel" <<'PANEL'
answer-yes
click launch
PANEL
out=$(run job.json --script yes.panel); status=$?
echo "$out"
check "yes: run exits 0" '[ $status -eq 0 ]'
check "yes: the box was shown" '[[ "$out" == *"$box"* ]] && echo "$out" | grep -qx "message answer: yes"'
check "yes: launched" 'launched "$out"'
check "yes: the zero row stored as it was" 'grep -qa "^xyz 18=0 0 0 0 0 0 0 0 0" "$ini"'
keys_without_check=$(grep -ao "^[^=]*=" "$ini")

# nc_check=0 in the store: no box; the key stays and the others keep their order.
clean
mkdir -p "$root/user/Halvorn"
printf '[Settings]\r\nnc_check=0\r\n' > "$ini"
out=$(run job.json --script yes.panel); status=$?
echo "$out"
check "off: run exits 0" '[ $status -eq 0 ]'
check "off: no box" '! echo "$out" | grep -q "^message: NC\|^message answer"'
check "off: launched" 'launched "$out"'
check "off: the store keeps nc_check=0 and the order of the other keys" \
  '[ "$(grep -ao "^[^=]*=" "$ini")" = "$(printf "nc_check=\n%s" "$keys_without_check")" ]'

# Any other value of nc_check leaves the check on.
clean
mkdir -p "$root/user/Halvorn"
printf '[Settings]\r\nnc_check=1\r\n' > "$ini"
out=$(run job.json --script no.panel)
check "nc_check=1: the box is shown" 'echo "$out" | grep -qx "message answer: no"'

# The program sets G54.1 P12 itself (G10 L20) before it uses it: no box, launched.
clean
printf '%%\r\nO1000\r\nG10 L20 P12 X-100. Y-50. Z-200.\r\nN10 G90 G54 G00 X0 Y0\r\nN20 T3 M06\r\nN30 G43 H3 Z50.\r\nN40 G41 D3 X10.\r\nN50 G54.1 P12\r\nM30\r\n%%\r\n' \
  > "$root/部品.NC"
cat "$root/paths.panel" - > "$root/plain.panel" <<'PANEL'
click launch
PANEL
out=$(run job.json --script plain.panel); status=$?
echo "$out"
check "set by the program: run exits 0" '[ $status -eq 0 ]'
check "set by the program: no box" '! echo "$out" | grep -q "^message: NC\|^message answer"'
check "set by the program: launched" 'launched "$out"'

# The first program saved as UTF-16 (with its zero G54.1 P12): the one finding that it cannot be read.
clean
printf '%%\r\nO1000(荒取り)\r\nN10 G90 G54 G00 X0 Y0\r\nN20 T3 M06\r\nN50 G54.1 P12\r\nM30\r\n%%\r\n' | iconv -f UTF-8 -t UTF-16 > "$root/部品.NC"
out=$(run job.json --script no.panel); status=$?
echo "$out"
check "utf-16: run exits 0" '[ $status -eq 0 ]'
check "utf-16: the box says the file cannot be read, and nothing else" \
  '[[ "$out" == *"message: NCプログラムの確認で次の点が見つかりました。
NCファイル「$nc」を読めません

このままシミュレーターを起動しますか？"* ]]'
check "utf-16: answered No, nothing started" 'echo "$out" | grep -qx "message answer: no" && ! echo "$out" | grep -q "^start"'

finish
