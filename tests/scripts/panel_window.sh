#!/usr/bin/env bash
# The panel's window through quenlo-host (on Windows the real one, under an X
# server): hiding the function panel and closing it end the run without
# exporting anything; resizes to extremes and snapshots are survived, and a
# snapshot shows the command band; 10,000 typed characters come back whole;
# clicks after the panel has ended reach nothing.
set -uo pipefail
source "$(dirname "$0")/lib/common.bash"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
root="$work/パネル"
mkdir -p "$root/user" "$root/addins"
run() { (cd "$root" && quenlo_host "$@"); }
dir="$(host_path "$root")$sep"
cat > "$root/job.json" <<'JSON'
{ "format": "quenlo-job/1",
  "host": { "user_folder": "user/", "addin_folder": "addins", "code_page": 932 },
  "machine_group": { "nc": { "file": "D:\\NC\\main.NC" } } }
JSON
fill="type exe C:\\T.exe\ntype mch m.mch\ntype prj ${dir}p.prjx\ntype tol ${dir}t.tol\n"
nothing_written() { [ ! -e "$root/t.tol" ] && [ ! -e "$root/p.prjx" ] && [ ! -e "$root/user/Halvorn/TARVIK.ini" ]; }

for ending in hide-panel close; do
  printf "${fill}${ending}\n" > "$root/end.panel"
  out=$(run job.json --script end.panel); status=$?
  check "$ending: run ends" '[ $status -eq 0 ] && echo "$out" | grep -qx "run: returned 0"'
  check "$ending: panel removed" 'echo "$out" | grep -qx "panel removed"'
  check "$ending: nothing written or stored" 'nothing_written'
done

long=$(printf 'x%.0s' $(seq 1 10000))
cat > "$root/size.panel" <<PANEL
type mch $long
show mch
snapshot ${dir}open.png
resize 1 1
snapshot ${dir}tiny.png
resize 4000 4000
resize 600 700
snapshot ${dir}wide.png
click cancel
click cancel
click launch
PANEL
out=$(run job.json --script size.panel); status=$?
check "long text whole" 'echo "$out" | grep -qxF "shown: mch = $long"'
check "clicks after the end reach nothing" '[ $status -eq 0 ] && [ "$(echo "$out" | grep -c "^panel removed$")" = 1 ]'
check "the run still ended" 'echo "$out" | grep -qx "run: returned 0"'
check "nothing written" 'nothing_written'
if [ "$mode" = windows ]; then
  # Width, height and the pixel at (x, y) of a snapshot, as "W H RRGGBB".
  png() { python3 - "$1" "$2" "$3" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
pos, idat = 8, b""
while pos < len(data):
    n, = struct.unpack(">I", data[pos:pos + 4]); kind = data[pos + 4:pos + 8]; body = data[pos + 8:pos + 8 + n]
    pos += 12 + n
    if kind == b"IHDR": w, h = struct.unpack(">II", body[:8])
    if kind == b"IDAT": idat += body
raw = zlib.decompress(idat); x, y = int(sys.argv[2]), int(sys.argv[3]); i = y * (w * 3 + 1) + 1 + 3 * x
print(w, h, raw[i:i + 3].hex().upper())
PY
  }
  check "snapshot at opening shows the band" '[ "$(png "$root/open.png" 5 5 | cut -d" " -f3)" = 5B9BD5 ]'
  check "tiny snapshot is 1 x 1" '[ "$(png "$root/tiny.png" 0 0 | cut -d" " -f1,2)" = "1 1" ]'
  check "wide snapshot is 600 x 700 with the band" '[ "$(png "$root/wide.png" 300 45)" = "600 700 5B9BD5" ]'
  check "cancel stands 40 px from the right" '[ "$(png "$root/wide.png" 559 20 | cut -d" " -f3)" = 5B9BD5 ] && [ "$(png "$root/wide.png" 560 20 | cut -d" " -f3)" != 5B9BD5 ]'
else
  check "a snapshot needs the Windows build" '[ "$(echo "$out" | grep -c "^snapshot: a snapshot needs the Windows build$")" = 3 ]'
fi
finish
