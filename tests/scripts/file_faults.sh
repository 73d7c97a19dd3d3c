#!/usr/bin/env bash
# Every file operation of a launch failing in turn. One run writes every file
# the add-in writes (a settings file, the tool file, the stock's STL file, the
# project file and the store); quenlo-host --fault count tells how many opens,
# writes, flushes, closes, renames and removals it makes, and the test then
# runs it once for each of them failing (a write once failing outright and once
# writing part before the disk is full). Each time: the run ends normally, the
# failed file is the old one whole (the tool file and the STL file, which the
# writers remove after a failure, are absent; an STL file that was not written
# because the project file could not be created is the old one), every other
# file is the new one, no temporary file is left, one message names the failed
# file, and no simulator is started when the tool, project or STL file failed
# (a failed setup sheet has its message and the simulator starts).
set -uo pipefail
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/launch_files.bash"
new_launch_work

# The run without faults: the new files, and how many operations of each kind.
out=$(run_launch_in_window --fault count); status=$?
echo "$out"
check "counting run exits 0" '[ $status -eq 0 ]'
check "counting run: no message" '! grep -q "^message:" <<<"$out"'
check "counting run: simulator started" 'grep -q "^started: " <<<"$out"'
keep_new
for f in "${outputs[@]}"; do
  check "counting run writes $f anew" '[ "$(file_state "$root" "$work/new" "$work/old" "$f")" = new ] && ! cmp -s "$root/$f" "$work/old/$f"'
done
counts=$(echo "$out" | sed -n 's/^file operations: //p')
check "operations counted" '[ -n "$counts" ]'
count_of() { echo "$counts" | tr ',' '\n' | sed -n "s/^ *$1 \([0-9]*\)$/\1/p"; }

points=0
for kind in open write short flush close rename remove; do
  op=$kind; [ $kind = short ] && op=write
  n_max=$(count_of $op)
  # A launch that succeeds removes at most the old sheet's bytes, swapped out
  # of place by the new sheet where the file system can swap (the tool file is
  # replaced, not deleted first), so there may be no removal to fail.
  [ $op = remove ] || check "some ${op}s counted" '[ "${n_max:-0}" -gt 0 ]'
  for n in $(seq 1 "${n_max:-0}"); do
    points=$((points+1))
    failed_before=$failed
    rm -rf "$root/out" "$root/user"
    seed_old "$root"
    out=$(run_launch --fault "$kind:$n"); status=$?
    what="$kind $n"
    check "$what: run ends normally" '[ $status -eq 0 ] && grep -qx "run: returned 0" <<<"$out"'
    check "$what: the fault happened" 'grep -qx "fault: $kind $n" <<<"$out"'
    broken=()
    for f in "${outputs[@]}"; do
      state=$(file_state "$root" "$work/new" "$work/old" "$f")
      case "$state" in
        new) ;;
        old) broken+=("$f") ;;
        absent) check "$what: $f absent only as a file the writer deletes first" \
                  '[ "$f" = out/part.tol ] || [ "$f" = out/part.NC.stl ]'; broken+=("$f") ;;
        *) check "$what: $f is the old or the new file, whole" false ;;
      esac
    done
    # A launch whose tool, project or STL file failed writes no sheet: the old one stays.
    if [ ${#broken[@]} -gt 1 ] && [ "${broken[-1]}" = out/part.setup.html ]; then
      unset 'broken[-1]'
    fi
    # A project file that cannot be created stops the project writer before
    # it writes the STL file, which then stays the old one.
    if [ "${broken[*]:-}" = "out/part.prjx out/part.NC.stl" ] || [ "${broken[*]:-}" = "out/part.NC.stl out/part.prjx" ]; then
      check "$what: the STL file kept is the old one" '[ "$(file_state "$root" "$work/new" "$work/old" out/part.NC.stl)" = old ]'
      broken=(out/part.prjx)
    fi
    if [ "${broken[*]:-}" = out/part.setup.html ]; then
      # The sheet is for people: its own message, and the launch goes on.
      check "$what: the simulator started without the sheet" 'grep -q "^started: " <<<"$out"'
      check "$what: the sheet's message" 'grep -qx "message: セットアップシートを保存できませんでした。" <<<"$out"'
    elif [ ${#broken[@]} -gt 0 ] && [ "${broken[0]}" != out/settings.nvs ] && [ "${broken[0]}" != user/Halvorn/TARVIK.ini ]; then
      check "$what: no simulator started on stale files" '! grep -q "^started: " <<<"$out"'
      check "$what: the message says so" 'grep -qx "シミュレーターは起動しませんでした。" <<<"$out"'
    fi
    stray=$(stray_files "$root")
    if [ $kind = remove ]; then
      # Nothing was lost: every file is new; the old sheet's bytes stay in a
      # temporary file, which the next launch removes.
      check "$what: every file new, no message" '[ ${#broken[@]} -eq 0 ] && ! grep -q "^message:" <<<"$out"'
      check "$what: the simulator started" 'grep -q "^started: " <<<"$out"'
      check "$what: one temporary file left" '[ $(wc -l <<<"$stray") -eq 1 ] && [ -n "$stray" ]'
      run_launch >/dev/null
      check "$what: the next launch removes it" '[ -z "$(stray_files "$root")" ]'
    else
      check "$what: no temporary file left (${stray//$'\n'/ })" '[ -z "$stray" ]'
      check "$what: one file failed (${broken[*]:-none})" '[ ${#broken[@]} -eq 1 ]'
      messages=$(echo "$out" | grep -c "^message:")
      check "$what: one message" '[ "$messages" -eq 1 ]'
      if [ ${#broken[@]} -eq 1 ]; then
        name=$(basename "${broken[0]}")
        check "$what: the message names ${broken[0]}" 'grep -A2 "^message:" <<<"$out" | grep -F "$name" >/dev/null'
      fi
    fi
    [ $failed -eq $failed_before ] || printf -- '--- %s (exit %s)\n%s\n---\n' "$what" "$status" "$out"
  done
done
echo "fault points: $points"
check "fault points injected" '[ $points -gt 0 ]'
finish
