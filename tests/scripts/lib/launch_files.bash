# Shared by the scripted tests of the written files (faults, killed hosts, two
# hosts at once): a job with a solid stock and a panel script that saves a
# settings file and launches, so that one run writes every file the add-in
# writes. Source after common.bash.
#
#   new_launch_work    a scratch folder $work (removed at exit) with the launch
#                      in $root ($work/run, the old outputs in place) and the
#                      old outputs in $work/old; run_launch [ARG]... runs it
#                      there with a headless panel (the files are what these
#                      tests look at: under Wine a real window costs seconds a
#                      run), run_launch_in_window in the panel's real windows;
#                      keep_new copies the outputs to $work/new
#   make_launch ROOT   job.json, the template, the NC and machine files and
#                      launch.panel in ROOT; the outputs go to ROOT/out and the
#                      store to ROOT/user/Halvorn
#   seed_old ROOT      puts the old version of every output in place (other
#                      files in the folders stay)
#   file_state ROOT NEW OLD FILE   new (as in the folder NEW), old (as in OLD),
#                      absent or other
#   stray_files ROOT   files in the output folders that are none of the outputs

# The outputs, relative to ROOT, and the NC file beside them (the STL file is
# named after it). The setup sheet holds the launch's time and the NC file's:
# both are fixed (QUENLO_CLOCK, seed_old), so that every launch writes the same.
outputs=(out/part.tol out/part.prjx out/part.NC.stl out/part.setup.html out/settings.nvs user/Halvorn/TARVIK.ini)
inputs=(out/part.NC)

if [ "$mode" = windows ]; then
  launch_simulator="$(host_path "$build/bin/tarvik-standin.exe")"
else
  launch_simulator="$build/bin/tarvik-standin"
fi

make_launch() {
  local root="$1" base
  base="$(host_path "$root")"
  mkdir -p "$root/addins" "$root/out" "$root/user"
  cp "$src/examples/demo/addins/default_template.prj" "$root/addins/"
  echo "machine" > "$root/machine.mch"
  local nc="$base${sep}out${sep}part.NC"
  cat > "$root/job.json" <<JSON
{ "format": "quenlo-job/1",
  "host": { "user_folder": "user/", "addin_folder": "addins", "code_page": 932 },
  "machine_group": {
    "nc": { "file": "${nc//\\/\\\\}", "prefix": "", "suffix": ".NC" },
    "stock": { "shape": "solid", "size": [100, 50, 20], "origin": [0, 0, 0], "origin_code": 0,
               "solid": { "box": { "min": [0, 0, 0], "max": [100, 50, 20] } } },
    "operations": [
      { "type": 1, "tool": { "number": 3, "id": 1001, "diameter": 10, "d_number": 3, "h_number": 3,
                             "comment": "D10" }, "holder_number": 0 } ] },
  "tools": {
    "assemblies": [ { "id": 1001, "type_code": 13, "overall_length": 75, "projection": 60, "total_holder_length": 40,
                      "profile": [ { "kind": "L", "start": [0, 0], "end": [5, 0] },
                                   { "kind": "L", "start": [5, 0], "end": [5, 75] } ] } ],
    "holders": [ { "number": 0, "name": "STD", "by_number": true, "levels": [ [63, 0, 40] ] } ] } }
JSON
  cat > "$root/launch.panel" <<PANEL
type exe $launch_simulator
type mch $base${sep}machine.mch
type prj $base${sep}out${sep}part.prjx
type tol $base${sep}out${sep}part.tol
type wcs.x 12.5
type part_x 7.25
answer-file $base${sep}out${sep}settings.nvs
click save
click launch
PANEL
}

seed_old() {
  local root="$1"
  mkdir -p "$root/out" "$root/user/Halvorn"
  echo "G0 X0 Y0" > "$root/out/part.NC"
  TZ=UTC touch -d "2026-12-01 08:00:00" "$root/out/part.NC"
  printf 'old tool file\n' > "$root/out/part.tol"
  printf 'old project file\r\n' > "$root/out/part.prjx"
  printf 'solid old\nendsolid old\n' > "$root/out/part.NC.stl"
  printf 'old settings file\r\n' > "$root/out/settings.nvs"
  printf '<p>old sheet</p>\n' > "$root/out/part.setup.html"
  printf '[Settings]\r\nwcs_num=0\r\nprj=old.prjx\r\n' > "$root/user/Halvorn/TARVIK.ini"
}

file_state() {
  local root="$1" new="$2" old="$3" file="$4"
  if [ ! -e "$root/$file" ]; then echo absent
  elif cmp -s "$root/$file" "$new/$file"; then echo new
  elif cmp -s "$root/$file" "$old/$file"; then echo old
  else echo other
  fi
}

stray_files() {
  local root="$1" f o known
  for f in "$root"/out/* "$root"/user/Halvorn/*; do
    [ -e "$f" ] || continue
    known=no
    for o in "${outputs[@]}" "${inputs[@]}"; do [ "$f" = "$root/$o" ] && known=yes; done
    [ $known = yes ] || echo "${f#$root/}"
  done
}

new_launch_work() {
  work=$(mktemp -d)
  [ "$mode" = windows ] && export WINEPREFIX="$build/wineprefix" WINEARCH=win64 WINEDEBUG=-all
  # A simulator that a run started may still be writing its log for a moment.
  trap 'rm -rf "$work" 2>/dev/null || { sleep 2; rm -rf "$work"; }' EXIT
  root="$work/run"
  mkdir -p "$root"
  make_launch "$root"
  seed_old "$root"
  seed_old "$work/old"
  export TARVIK_STANDIN_LOG="$(host_path "$work/simulator.log")"
  export TZ=UTC QUENLO_CLOCK="2026-12-09 10:30:00"
}

run_launch() { (cd "$root" && quenlo_host job.json --script launch.panel --headless "$@"); }
# The same in the panel's real windows on Windows (the same as run_launch natively).
run_launch_in_window() { (cd "$root" && quenlo_host job.json --script launch.panel "$@"); }

keep_new() {
  local f
  for f in "${outputs[@]}"; do
    mkdir -p "$work/new/$(dirname "$f")"
    cp "$root/$f" "$work/new/$f" 2>/dev/null
  done
}
