#!/usr/bin/env bash
# Damaged settings files and number boxes that do not hold numbers, through
# quenlo-host on a job in a folder with a Japanese name: every load ends with
# what the file supplies and zeros for the rest, every refused box gives one
# message, and no run fails.
set -uo pipefail
source "$(dirname "$0")/lib/common.bash"
data="$src/tests/data/ui"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
root="$work/設定 ファイル"
mkdir -p "$root/user" "$root/addins" "$root/a folder.nvs"
run() { (cd "$root" && quenlo_host "$@"); }
dir="$(host_path "$root")$sep"
cat > "$root/job.json" <<'JSON'
{ "format": "quenlo-job/1",
  "host": { "user_folder": "user/", "addin_folder": "addins", "code_page": 932 },
  "machine_group": { "nc": { "file": "D:\\NC\\main.NC" } } }
JSON

# Loads FILE (in the job's folder) after typing some values; prints the transcript.
load() {
  printf 'type mch typed.mch\ntype part_x 5\ntype wcs.y 6\nselect wcs 3\nanswer-file %s%s\nclick load\nshow all\nclick cancel\n' \
    "$dir" "$1" > "$root/load.panel"
  run job.json --script load.panel
}
shown() { echo "$out" | grep -qxF "shown: $1"; }
messages() { echo "$out" | grep -c '^message: '; }

# Reversed lines load as the lines in order.
cp "$data/settings_golden.nvs" "$root/golden.nvs"
python3 -c 'import sys; l=open(sys.argv[1],"rb").read().split(b"\r\n")[:-1]; open(sys.argv[2],"wb").write(b"".join(x+b"\r\n" for x in reversed(l)))' \
  "$root/golden.nvs" "$root/reversed.nvs"
in_order=$(load golden.nvs | grep '^shown: ')
out=$(load reversed.nvs)
check "reversed file loads the same" '[ "$(echo "$out" | grep "^shown: ")" = "$in_order" ]'
check "golden mch" 'echo "$in_order" | grep -qxF "shown: mch = D:\\機械\\vmc 5axis.mch"'
check "golden selection" 'echo "$in_order" | grep -qxF "shown: wcs = 307(G54.2P01) [entry 307 of 315]"'
check "golden check box" 'echo "$in_order" | grep -qxF "shown: ref_from_m = on"'

# Files without any known key are not settings files: one message, the panel as it was.
printf '' > "$root/empty.nvs"
printf 'hello\r\nworld\r\nMCH x\r\n' > "$root/nokey.nvs"
python3 -c 'import random,sys; r=random.Random(7); open(sys.argv[1],"wb").write(bytes(r.randrange(256) for _ in range(20000)))' "$root/junk.nvs"
for f in empty.nvs nokey.nvs junk.nvs; do
  out=$(load $f); status=$?
  check "$f: run ends" '[ $status -eq 0 ]'
  check "$f: path kept" 'shown "mch = typed.mch"'
  check "$f: origin kept" 'shown "part_x = 5"'
  check "$f: row kept" 'shown "wcs = 3(G56) [entry 3 of 315]"'
  check "$f: one message" '[ "$(messages)" = 1 ] && echo "$out" | grep -q "^message: 「.*$f」は設定ファイルではありません"'
done

# A key with nothing after it, numbers with text after them, 1e-05, inf and
# nan in rows, a row selection outside the list, a Japanese path, a long line.
long=$(printf 'x%.0s' $(seq 1 9000))
{ printf 'mch \r\nwrk D:\\素材\\ワーク 1.wrk\r\nprj D:\\%s.prjx\r\n' "$long"
  printf 'xyz 0 1e-05 inf nan 2.5abc 9\r\nxyz 1 7\r\nref 0 3 \r\n'
  printf 'part_x 12.5mm \r\npart_y\r\npart_z -1e-05 \r\nwcs_num 400 \r\nref_num 1x \r\n'; } |
  iconv -f UTF-8 -t CP932 > "$root/odd.nvs"
out=$(load odd.nvs)
check "odd: key alone gives an empty path" 'shown "mch = "'
check "odd: Japanese path whole" 'shown "wrk = D:\\素材\\ワーク 1.wrk"'
check "odd: long line whole" 'shown "prj = D:\\$long.prjx"'
check "odd: row numbers" 'shown "wcs.x = 9.99999974737875e-06" && shown "wcs.y = 0" && shown "wcs.z = 0" && shown "wcs.a = 2.5" && shown "wcs.b = 0"'
check "odd: wcs_num outside the list starts on EXOFS" 'shown "wcs = EXOFS [entry 0 of 315]"'
check "odd: ref_num read as a leading number" 'shown "ref = 第1復帰値 [entry 1 of 5]" && shown "ref.x = 0"'
check "odd: part values" 'shown "part_x = 12.5" && shown "part_y = 0" && shown "part_z = -1e-05"'
check "odd: no message" '[ "$(messages)" = 0 ]'

# A file that cannot be read: one message, nothing changes. A folder's name
# is not taken by the file dialog (it opens the folder): no message.
printf 'answer-file %s無い.nvs\nclick load\nanswer-file %sa folder.nvs\nclick save\nanswer-file %sa folder.nvs\nclick load\nshow mch\nclick cancel\n' "$dir" "$dir" "$dir" > "$root/fail.panel"
out=$(run job.json --script fail.panel)
check "unreadable file reported once" '[ "$(echo "$out" | grep -c "^message: 設定ファイル「.*無い.nvs」を読み込めませんでした。$")" = 1 ]'
check "only that message" '[ "$(messages)" = 1 ]'
check "a folder is not taken as a file" '[ "$(echo "$out" | grep -c "^file dialog: a folder, not a file, cancelled: .*a folder.nvs$")" = 2 ]'
check "the folder is still there" '[ -d "$root/a folder.nvs" ]'

# Number boxes that do not hold numbers: refused once per reading.
for bad in "" abc 1,5 1e400; do
  printf 'type part_y %s\ntype a_axis_y 7\nclick launch\n' "$bad" > "$root/box.panel"
  out=$(run job.json --script box.panel); status=$?
  check "box '$bad': run ends" '[ $status -eq 0 ]'
  check "box '$bad': one message" '[ "$(echo "$out" | grep -c "^message: 数値を入力してください。$")" = 1 ]'
done

finish
