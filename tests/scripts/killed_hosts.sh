#!/usr/bin/env bash
# Hosts killed while the add-in writes. One launch writes every file the add-in
# writes (settings file, tool file, STL, project file, store); quenlo-host
# --fault kill:N kills it at its Nth file operation (halfway through that
# operation if it is a write), N chosen at random, 200 times natively and 100
# times under Wine. After each kill every file is the old or the new one,
# whole (the tool and STL files may be absent: they are deleted first). Every
# fourth run, and at the end, a run that is not killed follows: it writes
# every file anew and leaves none of the killed runs' temporary files behind.
set -uo pipefail
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/launch_files.bash"
new_launch_work
kills=200; [ "$mode" = windows ] && kills=100
RANDOM=12  # the same moments on every run of the test

out=$(run_launch_in_window --fault count); status=$?
check "unkilled run exits 0" '[ $status -eq 0 ]'
keep_new
total=$(sed -n 's/^file operations: //p' <<<"$out" | tr -cs '0-9' '\n' | awk '{s+=$1} END {print s+0}')
check "the run's file operations counted ($total)" '[ "$total" -gt 10 ]'

# A run that is not killed: every file new, no temporary file left.
complete_run() {
  seed_old "$root"
  local out status f
  out=$(run_launch); status=$?
  check "$1: the next run ends normally" '[ $status -eq 0 ] && grep -qx "run: returned 0" <<<"$out"' ||
    printf 'exit status %s, output:\n%s\n' "$status" "$out"
  check "$1: the next run has no message" '! grep -q "^message:" <<<"$out"'
  for f in "${outputs[@]}"; do
    check "$1: the next run writes $f" '[ "$(file_state "$root" "$work/new" "$work/old" "$f")" = new ]'
  done
  local stray; stray=$(stray_files "$root")
  check "$1: the next run leaves no temporary file ($(wc -l <<<"$stray") left: $(head -3 <<<"$stray" | tr '\n' ' '))" \
    '[ -z "$stray" ]'
}

left=0
for i in $(seq 1 $kills); do
  n=$(( RANDOM % total + 1 ))
  seed_old "$root"
  out=$(run_launch --fault "kill:$n"); status=$?
  # Killed in Run, or after it (the old bytes of a replaced file are removed
  # in the background once the launch is done).
  check "kill $i at operation $n: the host died" '[ $status -eq 137 ]'
  for f in "${outputs[@]}"; do
    state=$(file_state "$root" "$work/new" "$work/old" "$f")
    case "$state" in
      new|old) ;;
      absent) check "kill $i at operation $n: $f absent only as a file deleted first" \
                '[ "$f" = out/part.tol ] || [ "$f" = out/part.NC.stl ]' ;;
      *) check "kill $i at operation $n: $f is the old or the new file, whole" false ;;
    esac
  done
  now=$(stray_files "$root" | wc -l)
  [ "$now" -gt "${before:-0}" ] && left=$((left+1))
  before=$now
  if [ $((i % 4)) -eq 0 ]; then complete_run "after kill $i"; before=$(stray_files "$root" | wc -l); fi
done
complete_run "at the end"
echo "killed runs: $kills; runs that left a temporary file behind: $left"
check "some killed runs left a temporary file for the next run to remove" '[ $left -gt 0 ]'
finish
