#!/usr/bin/env bash
# The release as a shop gets it, under Wine (bash release.sh BUILD_DIR SOURCE_DIR windows):
# installer/package makes the zip, the installer and SHA256SUMS; Tarvik.dll
# imports only system DLLs and the host's; the zip holds what the install
# guide lists. The installer runs silently into a fresh add-in folder in the
# Wine prefix; the stand-in host, in a folder of its own, loads the installed
# library from there, reports its version and runs the bundled example's
# launch. A second install keeps a changed template and the settings; an
# install while a process holds the library fails and leaves the old one;
# the uninstaller removes what it put there and nothing else. The settings
# store and a settings file sit in the add-in folder itself, where a careless
# install or uninstall would reach them.
set -uo pipefail
source "$(dirname "$0")/../scripts/lib/common.bash"
export WINEPREFIX="$build/wineprefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export QUENLO_WINEPREFIX="$WINEPREFIX"
work=$(mktemp -d)
# Add-in folders inside the prefix's drive C:, fresh for this run.
base="$WINEPREFIX/drive_c/Quenlo release test $$"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quenlo'
wine_quiet() { env LC_ALL=ja_JP.UTF-8 wine "$@" </dev/null >/dev/null 2>&1; }
cleanup() {
  touch "$work/stop"
  wine_quiet regedit /S "$(host_path "$src/tests/data/simulator/clean.reg")"
  wine_quiet reg delete "$key" /f
  rm -rf "$work" "$base"
}
trap cleanup EXIT
win() { printf 'C:%s' "$(echo "${1#"$WINEPREFIX/drive_c"}" | tr / '\\')"; }

# --- The release's files.
rel="$work/release"
"$src/installer/package" "$build" "$rel"; status=$?
check "package made the release" '[ $status -eq 0 ]'
name="Quenlo-$project_version"
setup="$rel/$name-setup.exe"
ls -l "$rel"
check "SHA256SUMS names both files and matches them" \
  '(cd "$rel" && [ "$(cut -c67- SHA256SUMS | sort | tr "\n" " ")" = "$name-setup.exe $name-win64.zip " ] &&
    sha256sum --quiet -c SHA256SUMS)'

# The library needs no MinGW runtime DLL beside it: only Windows' own and the host's.
imports=$(x86_64-w64-mingw32-objdump -p "$build/bin/Tarvik.dll" | sed -n 's/^\tDLL Name: //p' | tr A-Z a-z | sort)
echo "Tarvik.dll imports:" $imports
system='advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll
        shell32.dll shlwapi.dll user32.dll version.dll quenlohost.dll'
check "Tarvik.dll imports only system DLLs and QuenloHost.dll" \
  '[ -n "$imports" ] && (for dll in $imports; do [[ " $(echo $system) " == *" $dll "* ]] || exit 1; done)'

# The zip holds, in its one folder, what the guide's list says, and the guide itself.
unzip -q "$rel/$name-win64.zip" -d "$work/zip"
listed=$(sed -n '/^### zip の中身/,/^## /s/^- `\([^`]*\)`.*/\1/p' "$src/docs/install.md" | sort)
in_zip=$(unzip -Z1 "$rel/$name-win64.zip" | sed -n "s|^$name/\(.\)|\1|p" | sort)
echo "zip:" $in_zip
check "the zip holds exactly what the guide lists" '[ -n "$listed" ] && [ "$listed" = "$in_zip" ]'
check "the zip holds one folder" '[ "$(unzip -Z1 "$rel/$name-win64.zip" | grep -cv "^$name/")" = 0 ]'
check "the zip's guide is docs/install.md" 'cmp -s "$work/zip/$name/install.md" "$src/docs/install.md"'
check "the zip's template is the sample" \
  'cmp -s "$work/zip/$name/default_template.prj" "$src/examples/demo/addins/default_template.prj"'
dll="$work/zip/$name/Tarvik.dll"

# setup FOLDER: a silent install into FOLDER. /D= takes the rest of the
# command line unquoted, so a path with blanks goes in as separate words.
setup() { local words; read -ra words <<<"/D=$(win "$1")"; "$src/scripts/wine-run" "$setup" /S "${words[@]}"; }
# uninstall FOLDER: the uninstaller as Apps & features starts it (silently):
# it copies itself away, runs from there and removes itself; wait for that.
uninstall() {
  "$src/scripts/wine-run" "$1/Quenlo-uninstall.exe" /S || return
  for _ in $(seq 1 300); do
    [ ! -e "$1/Quenlo-uninstall.exe" ] && ! wine_quiet reg query "$key" && return 0
    sleep 0.1
  done
  return 1
}
# The uninstall entry as regedit exports it (UTF-16 to UTF-8, no CR).
entry() {
  rm -f "$work/entry.reg"
  wine_quiet regedit /E "$(host_path "$work/entry.reg")" "${key/HKCU/HKEY_CURRENT_USER}"
  [ -f "$work/entry.reg" ] && iconv -f UTF-16 -t UTF-8 "$work/entry.reg" | tr -d '\r'
}
sums() { (cd "$addins" && md5sum default_template.prj Halvorn/TARVIK.ini 設定.nvs); }

# --- A fresh install, then the host's launch from the installed library.
addins="$base/アドイン フォルダ"
setup "$addins"; status=$?
check "silent install exits 0" '[ $status -eq 0 ]'
check "the installed Tarvik.dll is the release's" 'cmp -s "$addins/Tarvik.dll" "$dll"'
check "the sample template installed into an empty folder" \
  'cmp -s "$addins/default_template.prj" "$src/examples/demo/addins/default_template.prj"'
check "the uninstaller installed" '[ -f "$addins/Quenlo-uninstall.exe" ]'
reg=$(entry)
echo "$reg"
esc() { printf '%s' "${1//\\/\\\\}"; }
size_kb=$(( ($(stat -c %s "$dll") + $(stat -c %s "$addins/default_template.prj") + 1023) / 1024 ))
for line in "\"DisplayName\"=\"Quenlo $project_version\"" "\"DisplayVersion\"=\"$project_version\"" \
            '"Publisher"="Quenlo プロジェクト"' "\"InstallLocation\"=\"$(esc "$(win "$addins")")\"" \
            "\"UninstallString\"=\"\\\"$(esc "$(win "$addins")")\\\\Quenlo-uninstall.exe\\\"\""; do
  check "registered for the user: $line" 'echo "$reg" | grep -qxF "$line"'
done
size=$(echo "$reg" | sed -n 's/^"EstimatedSize"=dword://p')
check "registered size $((16#${size:-0})) KB about that of the files ($size_kb KB)" \
  '[ -n "$size" ] && [ $((16#$size - size_kb)) -ge -8 ] && [ $((16#$size - size_kb)) -le 8 ]'

# The host in a folder of its own, without a Tarvik.dll: only the installed one can load.
host="$work/host"
mkdir -p "$host"
cp "$build/bin/quenlo-host.exe" "$build/bin/QuenloHost.dll" "$build/bin/tarvik-standin.exe" "$host/"
demo="$work/demo"
cp -r "$src/examples/demo/." "$demo/"
rm -rf "$demo/addins"
mkdir -p "$demo/out" "$demo/machines"
printf 'O0001\nG90 G54 G0 X0 Y0\nM30\n' > "$demo/out/job1.NC"
printf '; vertical machining centre\n' > "$demo/machines/vmc.mch"
# The example's job with the installed add-in folder, which also holds the user folder.
python3 -c 'import json, sys
job = json.load(open(sys.argv[1], encoding="utf-8"))
job["host"].update(addin_folder=sys.argv[2], user_folder=sys.argv[2] + "\\")
json.dump(job, open(sys.argv[3], "w", encoding="utf-8"), ensure_ascii=False)' \
  "$src/examples/demo/job.json" "$(win "$addins")" "$demo/job.json"
# The machine's registry names the simulator beside the host (UTF-16, as regedit writes it).
simulator=$(host_path "$host/tarvik-standin.exe")
python3 -c 'import sys
text = open(sys.argv[1], encoding="utf-8").read().replace("@TARVIK_STANDIN@", sys.argv[2].replace("\\", "\\\\"))
open(sys.argv[3], "wb").write(text.encode("utf-16"))' "$src/examples/demo/machine.reg" "$simulator" "$demo/machine.reg"
wine_quiet regedit /S "$(host_path "$src/tests/data/simulator/clean.reg")"
wine_quiet regedit /S "$(host_path "$demo/machine.reg")"
export TARVIK_STANDIN_LOG="$(host_path "$work/simulator.log")"
out=$(cd "$demo" && "$src/scripts/wine-run" "$host/quenlo-host.exe" job.json --script launch.panel --headless)
status=$?
echo "$out"
check "the host ran the example's launch" '[ $status -eq 0 ]'
check "the host loaded the installed library and read its version" \
  '[ "$(echo "$out" | sed -n 1p)" = "add-in: Tarvik.dll $project_version" ]'
check "the simulator was started" 'echo "$out" | grep -qxF "started: $simulator -prjf \"out/part1.prjx\""'
check "the tool file and the project file (from the installed template) written" \
  'grep -qa "^T3 USERDEFTOOL" "$demo/out/part1.tol" && grep -qa "^\.ncdfile" "$demo/out/part1.prjx"'
check "the settings stored in the add-in folder" 'grep -qa "^tol=out/part1.tol" "$addins/Halvorn/TARVIK.ini"'
for _ in $(seq 1 100); do grep -qs '^loaded$\|^error:' "$work/simulator.log" && break; sleep 0.1; done
check "the simulator loaded the project" 'grep -qx loaded "$work/simulator.log"'

# --- An update over it: the user's template, the store and a settings file stay.
printf ';changed by the user\r\n' >> "$addins/default_template.prj"
printf '[Settings]\r\nexe=C:\\x.exe\r\n' > "$addins/設定.nvs"
before=$(sums)
touch -d '2001-01-01' "$addins/Tarvik.dll"
setup "$addins"; status=$?
check "second install exits 0" '[ $status -eq 0 ]'
check "second install renewed the library" '[ "$(stat -c %Y "$addins/Tarvik.dll")" -gt 978307200 ]'
check "second install kept the changed template, the store and the settings file" '[ "$(sums)" = "$before" ]'

# --- The library held open (a running host): the install fails, the old one stays.
rm -f "$work/stop"
"$src/scripts/wine-run" "$build/bin/hold-library.exe" "$(win "$addins")\\Tarvik.dll" "$(host_path "$work/stop")" \
  >"$work/hold.out" 2>&1 &
holder=$!
for _ in $(seq 1 100); do grep -qs held "$work/hold.out" && break; sleep 0.1; done
check "a process holds the installed library" 'grep -qs held "$work/hold.out"'
touch -d '2001-01-01' "$addins/Tarvik.dll"
setup "$addins"; status=$?
check "install while the library is held: exit status 2" '[ $status -eq 2 ]'
check "install while the library is held: the old library stays" \
  '[ "$(stat -c %Y "$addins/Tarvik.dll")" = 978307200 ] && cmp -s "$addins/Tarvik.dll" "$dll"'
touch "$work/stop"; wait $holder
setup "$addins"; status=$?
check "once the library is let go the install goes through" \
  '[ $status -eq 0 ] && [ "$(stat -c %Y "$addins/Tarvik.dll")" -gt 978307200 ]'

# --- The uninstaller: the library, itself and its entry go; the rest stays.
uninstall "$addins"; status=$?
check "uninstall finished" '[ $status -eq 0 ]'
check "uninstall removed the library and itself" '[ ! -e "$addins/Tarvik.dll" ] && [ ! -e "$addins/Quenlo-uninstall.exe" ]'
check "uninstall removed its registry entry" '[ -z "$(entry | grep Quenlo)" ]'
check "uninstall kept the changed template, the store and the settings file" '[ "$(sums)" = "$before" ]'

# A template that was there first (the vendor's) is neither replaced nor
# removed; in a folder the installer made, an unchanged template and the
# folder itself go with the uninstall.
vendor="$base/vendor"
mkdir -p "$vendor"
printf ';vendor template\r\n' > "$vendor/default_template.prj"
setup "$vendor"
check "a template that was there stays through the install" \
  '[ "$(cat "$vendor/default_template.prj")" = "$(printf ";vendor template\r\n")" ]'
uninstall "$vendor"
check "... and through the uninstall, with its folder" \
  '[ "$(ls "$vendor")" = default_template.prj ] && [ "$(cat "$vendor/default_template.prj")" = "$(printf ";vendor template\r\n")" ]'
fresh="$base/新しい フォルダ"
setup "$fresh" && uninstall "$fresh"
check "install and uninstall into a new folder leave nothing" '[ ! -e "$fresh" ]'

finish
