#!/usr/bin/env bash
# Two hosts at once on one store: two processes each run complete launches
# (tool file, STL, project file, simulator start, store) one after the other,
# 100 times each natively and 50 under Wine, with different settings, while
# the test reads the store as often as it can. Every read, and the store at
# the end, is byte for byte the store that one of the two launches writes
# alone: one of the two complete sets, never a mixture or a torn file. Every
# run ends normally, without a message (under Windows, see loop below).
set -uo pipefail
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/launch_files.bash"
new_launch_work
launches=100; [ "$mode" = windows ] && launches=50
store="$root/user/Halvorn/TARVIK.ini"
base="$(host_path "$root")"

# Host A and host B: their own tool and project files, their own numbers.
for who in a b; do
  n=1; [ $who = b ] && n=2
  cat > "$root/$who.panel" <<PANEL
type exe $launch_simulator
type mch $base${sep}machine.mch
type prj $base${sep}out${sep}$who.prjx
type tol $base${sep}out${sep}$who.tol
type wcs.x $n.5
type part_x $n
type part_y -$n
select wcs 7
type wcs.z $n$n
click launch
PANEL
done
# Each host's first launch opens the panel's real windows; the launches at
# once keep it headless, where Wine would spend seconds a run on windows.
launch() { (cd "$root" && quenlo_host job.json --script "$1.panel" "${@:2}"); }

# The store each launch writes alone (from no store).
for who in a b; do
  rm -f "$store"
  out=$(launch $who); status=$?
  check "host $who alone: run ends normally" '[ $status -eq 0 ] && ! grep -q "^message:" <<<"$out"'
  cp "$store" "$work/$who.ini"
done
check "the two launches store different sets" '! cmp -s "$work/a.ini" "$work/b.ini"'

rm -f "$store"
# Windows refuses to replace a file that another process has open. A writer
# waits up to about a second for such a file; should the other host (or the
# simulator it started) hold the STL file or the store longer on a busy
# machine, the launch says that file could not be written and the other
# host's set stands. Those are counted, not failed; anything else is a failure.
loop() {
  local i status
  for i in $(seq 1 $launches); do
    launch "$1" --headless > "$work/$1.out" 2>&1; status=$?
    if [ $status -ne 0 ] || ! grep -qx "run: returned 0" "$work/$1.out"; then
      echo "host $1, launch $i (exit status $status):"; cat "$work/$1.out"
    elif grep -q "^message:" "$work/$1.out"; then
      if [ "$mode" = windows ] && [ "$(grep -c "^message:" "$work/$1.out")" -eq 1 ] &&
         grep -q "^message: \(ワークのSTLファイルを書き込めませんでした。\|設定を保存できませんでした。\)$" "$work/$1.out"; then
        echo "host $1, launch $i" >> "$work/$1.held"
      else
        echo "host $1, launch $i:"; cat "$work/$1.out"
      fi
    fi
  done > "$work/$1.failures"
}
loop a & host_a=$!
loop b & host_b=$!
reads=0; bad=0
while kill -0 $host_a 2>/dev/null || kill -0 $host_b 2>/dev/null; do
  if cat "$store" > "$work/read.ini" 2>/dev/null; then
    reads=$((reads+1))
    cmp -s "$work/read.ini" "$work/a.ini" || cmp -s "$work/read.ini" "$work/b.ini" || {
      bad=$((bad+1)); cp "$work/read.ini" "$work/bad.ini"; }
  fi
  sleep 0.01
done
wait $host_a $host_b
held=$(cat "$work/a.held" "$work/b.held" 2>/dev/null | wc -l)
echo "store reads while both hosts ran: $reads, neither set: $bad; launches that found a file held by the other host: $held"
check "every launch of both hosts ended normally" '[ ! -s "$work/a.failures" ] && [ ! -s "$work/b.failures" ]'
cat "$work/a.failures" "$work/b.failures" | head -40
check "the store was read while the hosts ran" '[ $reads -gt 0 ]'
check "every read of the store is one of the two complete sets" '[ $bad -eq 0 ]'
[ $bad -eq 0 ] || diff <(tr -d '\r' < "$work/bad.ini") <(tr -d '\r' < "$work/a.ini") | head -20
check "the store at the end is one of the two sets" 'cmp -s "$store" "$work/a.ini" || cmp -s "$store" "$work/b.ini"'
stray=$(stray_files "$root" | grep -v '^out/[ab]\.\(tol\|prjx\|setup\.html\)$')
check "no temporary file left ($(head -3 <<<"$stray" | tr '\n' ' '))" '[ -z "$stray" ]'
finish
