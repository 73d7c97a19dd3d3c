#!/usr/bin/env bash
# The stand-in simulator on its own: a complete project loads; a missing or
# malformed project, a file the project names that is missing or malformed,
# and a wrong command line end with a clear message and a non-zero status;
# every start is appended to the log.
set -uo pipefail
source "$(dirname "$0")/lib/common.bash"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
root="$work/シミュ レータ"
mkdir -p "$root"
sim() { standin_simulator "$@"; }
export TARVIK_STANDIN_LOG="$(host_path "$work/standin.log")"
p() { host_path "$root/$1"; }
crlf() { sed 's/$/\r/' | iconv -f UTF-8 -t CP932; }

printf 'T1 USERDEFTOOL 50.000000 0 0 0 5 0 5 45 R-2.5 5 50 /0 #エンドミル\nT7 USERDEFBITE 30.000000 1 1 2 /0 #\nD1 2.500000\nH1 90.000000\n/0 USER_HOLDER  0 0 20 0 20 45\n/1 STD_HOLDER 63.000000 40.000000\n' | iconv -f UTF-8 -t CP932 > "$root/工具.tol"
echo "G0" > "$root/加工.NC"
echo "m" > "$root/機械.mch"
project() {  # $1: tool file name
  crlf <<PRJ
;project
.ncdfile   "$(p 加工.NC)"
.ncdfile1  "$(p 加工.NC)"
.tolfiles1   "$(p "$1")"
.mchfile  "$(p 機械.mch)"
.wrkfile  ""
.setting.workform BARMATERIAL
.wrkjig.param 0.0000 40.000000 0.0000 0.0000 0.0000 120.000000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000
.setting.part0p.x 12.5 
.setting.WORK5SYS[0] 2 G54
.W5SV 1 2 3 0 0 0 0 0 0 
.setting.WORK5SYS[0] 308 G54.2 P01
.W5SV 0.0000 0.0000 0.0000 4 5 6 0 0 0 
.W5SF 1 7 8 9 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 
.setting.StockDef 0
.CWJ comment
.CWJDEF-P 40 120 0 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 
PRJ
}
project 工具.tol > "$root/良い.prjx"
out=$(sim -prjf "$(p 良い.prjx)" 2>&1); status=$?
echo "$out"
check "a complete project loads" '[ $status -eq 0 ] && echo "$out" | grep -qx loaded'
check "tools, D, H and holders" 'echo "$out" | grep -qx "tools: 2" && echo "$out" | grep -qx "  D1 2.500000" && echo "$out" | grep -qx "  H1 90.000000" && echo "$out" | grep -qx "holders: 2"'
check "the arc radius and the comment" 'echo "$out" | grep -qF "profile [0 0 5 0 5 45 R-2.5 5 50] comment \"エンドミル\""'
check "the user holder profile" 'echo "$out" | grep -qxF "  /0 USER_HOLDER [0 0 20 0 20 45]"'
check "stock and origin" 'echo "$out" | grep -qx "stock: BARMATERIAL" && echo "$out" | grep -qx "work origin x: 12.5"'
check "G54 and G54.2 P01" 'echo "$out" | grep -qx "work offset G54: 1 2 3 0 0 0 0 0 0" && echo "$out" | grep -qx "work offset G54.2 P01: 7 8 9 4 5 6 0 0 0"'
check "the stock definition" 'echo "$out" | grep -qx "stock definition: 40 120 0"'

fails() {  # $1: what, $2: expected message part, rest: arguments
  local what="$1" want="$2"; shift 2
  out=$(sim "$@" 2>&1); status=$?
  check "$what: non-zero status" '[ $status -ne 0 ]'
  check "$what: says \"$want\"" 'echo "$out" | grep -qF "$want"' || echo "$out" | tail -3
}
fails "missing project" "error: project file not found: $(p 無い.prjx)" -prjf "$(p 無い.prjx)"
project 無い.tol > "$root/工具なし.prjx"
fails "missing tool file" "error: tool file not found: $(p 無い.tol)" -prjf "$(p 工具なし.prjx)"
printf 'T1 USERDEFTOOL 50.000000 0 0 0 5 /0 #odd\n' > "$root/奇数.tol"
project 奇数.tol > "$root/奇数.prjx"
fails "tool profile with a lone x" "line 1: a profile point without its y value" -prjf "$(p 奇数.prjx)"
printf 'D1 2.5\nnot a tool line\n' > "$root/ごみ.tol"
project ごみ.tol > "$root/ごみ.prjx"
fails "junk in the tool file" "line 2: a line that is no tool record" -prjf "$(p ごみ.prjx)"
printf 'T1 USERDEFTOOL 50.000000 0 0 0 5 0 5 45 R--2.5 /0 #\n' > "$root/二重符号.tol"
project 二重符号.tol > "$root/二重符号.prjx"
fails "arc radius with two signs" 'line 1: bad arc radius "R--2.5"' -prjf "$(p 二重符号.prjx)"
printf '.ncdfile   %s\r\n' "$(p 加工.NC)" > "$root/引用符なし.prjx"
fails "path without quotes" "line 1: a .ncdfile line without its quoted path" -prjf "$(p 引用符なし.prjx)"
printf '.setting.WORK5SYS[0] 2 G54\r\n; no values\r\n' > "$root/欠け.prjx"
fails "offset header without values" "line 2: work offset G54 without its .W5SV line" -prjf "$(p 欠け.prjx)"
printf ';nothing\r\n' > "$root/空.prjx"
fails "project naming no NC file" "names no NC file" -prjf "$(p 空.prjx)"
fails "no arguments" 'expected the command line -prjf "PROJECT"'
fails "other option" 'expected the command line -prjf "PROJECT"' -prj "$(p 良い.prjx)"
check "every start with a project is logged" '[ $(grep -c "^tarvik-standin started" "$work/standin.log") -eq 9 ]'

# Several started at once: the log is appended to, and loses no entry.
rm -f "$work/standin.log"
for i in $(seq 1 8); do sim -prjf "$(p 良い.prjx)" >/dev/null 2>&1 & done
wait
check "eight at once: eight whole entries" \
  '[ $(grep -c "^tarvik-standin started" "$work/standin.log") -eq 8 ] && [ $(grep -cx "loaded" "$work/standin.log") -eq 8 ]'

finish
