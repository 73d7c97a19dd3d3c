#!/usr/bin/env bash
# A whole panel session through quenlo-host, in a folder with a Japanese name:
# type, select rows, derive the work origin, save a settings file, browse,
# change things, load the file back, launch. A refused box stops the save. The transcript up to the panel's
# removal and the settings file are compared with their expected bytes; the
# store shows that the launch folded both shown rows. A second run saves the
# tool file alone: the panel ends and nothing else is written or stored.
set -uo pipefail
source "$(dirname "$0")/lib/common.bash"
data="$src/tests/data/ui"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
root="$work/ユーザー 作業"
mkdir -p "$root/user" "$root/addins"
run() { (cd "$root" && quenlo_host "$@"); }
# The folder as the add-in sees it, with its separator.
dir="$(host_path "$root")$sep"
# The transcript with the folder written as DIR/.
normalize() { python3 -c 'import sys; d=sys.argv[1]; sys.stdout.write(sys.stdin.read().replace(d, "DIR/"))' "$dir"; }
# A panel script with @DIR@ standing for the folder.
subst() { python3 -c 'import sys; sys.stdout.write(sys.stdin.read().replace("@DIR@", sys.argv[1]))' "$dir"; }

cat > "$root/job.json" <<'JSON'
{ "format": "quenlo-job/1",
  "host": { "user_folder": "user/", "addin_folder": "addins", "code_page": 932 },
  "machine_group": { "nc": { "file": "D:\\NC\\main.NC", "prefix": "D:\\NC\\", "suffix": ".NC" },
                     "stock": { "shape": "box", "size": [100, 50, 20], "origin": [10, 5, 0], "origin_code": 2 } } }
JSON
subst > "$root/session.panel" <<'PANEL'
type exe C:\シミュレータ\Tarvik.exe
type mch C:\機械\vmc 5.mch
type prj @DIR@part1.prjx
answer-file @DIR@part1             # the extension is added
click browse-tol
type part_x 1.5
select wcs 5
type wcs.x 1
type wcs.y 2
type wcs.z 3
select wcs 9
show wcs
select wcs 5
check from_wrk_st on               # derived from the stock and row 5
show part_x
show part_y
show part_z
type c_axis_y 0.000012345678
check ref_from_m on
select ref 2
type ref.x 4
type ref.w 1,5                     # refused at the save: nothing is saved
answer-file @DIR@設定 1
click save
type ref.w 0                       # mended: saved
answer-file @DIR@設定 1
click save
type ref.w -7.25
answer-cancel
click browse-prj                   # cancelled: nothing changes
show prj
answer-file @DIR@無い\x.wrk         # a folder that does not exist
click browse-wrk
show wrk
type mch changed.mch
select wcs 0
select ref 0
check ref_from_m off
check from_wrk_st off              # the typed origin comes back
show part_x
answer-file @DIR@設定 1.nvs
click load
show all
answer-yes                         # the NC file does not exist: the check asks, the user goes on
click launch
PANEL
out=$(run job.json --script session.panel); status=$?
echo "$out"
check "session exits 0" '[ $status -eq 0 ]'
transcript=$(echo "$out" | normalize | sed -n '1,/^panel removed$/p')
# The expected transcript with the project's version for @VERSION@.
expected=$(sed "s/@VERSION@/$project_version/" "$data/panel_session.expected")
check "transcript as expected" '[ "$transcript" = "$expected" ]'
[ "$transcript" = "$expected" ] || diff <(echo "$transcript") <(echo "$expected")
# The settings file's bytes (code page 932, CR LF) with the folder written as DIR/.
nvs_bytes() { python3 -c 'import sys; d=sys.argv[1].encode("cp932"); sys.stdout.buffer.write(open(sys.argv[2], "rb").read().replace(d, b"DIR/"))' "$dir" "$1"; }
check "settings file as expected" 'cmp <(nvs_bytes "$root/設定 1.nvs") "$data/panel_session.nvs"'
ini="$root/user/Halvorn/TARVIK.ini"
check "launch stored the loaded row 5" 'grep -qa "^xyz 5=1 2 3 0 0 0 0 0 0" "$ini"'
check "launch stored the loaded ref row 2" 'grep -qa "^ref 2=4 0 0 0 0 0 0 0 0" "$ini"'
check "launch stored the browsed tool path" 'LC_ALL=C grep -qa "^tol=.*part1.tol" "$ini"'

# Save the tool file alone, browsing for it first.
rm -rf "$root/user/Halvorn"
subst > "$root/tools.panel" <<'PANEL'
type exe C:\シミュレータ\Tarvik.exe
type mch C:\機械\vmc.mch
type prj @DIR@part2.prjx
type wcs.x 4
answer-file @DIR@工具
click save-tools
PANEL
out=$(run job.json --script tools.panel); status=$?
echo "$out"
check "save-tools run exits 0" '[ $status -eq 0 ]'
check "save-tools browsed for the tool file" 'echo "$out" | normalize | grep -qx "file dialog: save filter=工具ファイル(\*.tol)|\*.tol|| ext=tol name= folder=C:.*"'
check "save-tools ended the panel" 'echo "$out" | grep -qx "panel removed"'
check "save-tools wrote the tool file" '[ -f "$root/工具.tol" ]'
check "save-tools wrote no project" '[ ! -e "$root/part2.prjx" ]'
check "save-tools stored nothing" '[ ! -e "$root/user/Halvorn/TARVIK.ini" ]'
check "save-tools started nothing" '! echo "$out" | grep -qi "start"'

finish
