# Shared by the scripted tests, which run as `bash TEST.sh BUILD_DIR SOURCE_DIR native|windows`:
# the checks and their count, and the build's programs with paths as they see them.
build="$1"; src="$2"; mode="$3"
passed=0; failed=0
# The project's version, as the build made it (CMakeLists.txt's project()).
project_version=$(sed -n 's/^#define QUENLO_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/quenlo_version.h")

# check NAME 'CONDITION'
# A condition is judged by its last command: `echo "$out" | grep -q ...` must
# not fail because grep stopped reading early (SIGPIPE under pipefail).
# It returns the verdict, so that `check ... || show_more` can add detail.
check() { local -; set +o pipefail; if eval "$2"; then passed=$((passed+1)); else failed=$((failed+1)); echo "FAILED: $1"; return 1; fi; }
# The closing count; fails the test when a check failed.
finish() {
  if [ -e "$unstarted" ]; then
    cat "$unstarted"
    check "at most two processes ended before the host ran ($(wc -l < "$unstarted"))" \
      '[ "$(wc -l < "$unstarted")" -le 2 ]'
    rm -f "$unstarted"
  fi
  echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]
}
unstarted="${TMPDIR:-/tmp}/quenlo-unstarted.$$"

if [ "$mode" = windows ]; then
  sep='\'
  # A path as the Windows programs see it (Wine maps / to drive Z:).
  host_path() { printf 'Z:%s' "${1//\//\\}"; }
  # Under Wine, on a loaded machine, a process has been seen (about once in a
  # few thousand launches) to end before the program printed its first line or
  # said why, so before any of its own code ran. Such a run is run once more
  # and noted; finish fails the test when that happened more than twice. A
  # program that ends without output for a reason of its own says so on
  # standard error in a line that starts with its name ("quenlo-host: ...",
  # "tarvik-standin started"), and one killed on purpose ends with 137.
  wine_program() {
    local exe="$1" name out err status; shift
    name=$(basename "$exe" .exe); out=$(mktemp); err=$(mktemp)
    "$src/scripts/wine-run" "$exe" "$@" >"$out" 2>"$err"; status=$?
    if [ ! -s "$out" ] && [ $status -ne 137 ] && ! grep -q "^$name" "$err"; then
      echo "$name $*: ended with no output (exit status $status$(tr '\n' ' ' < "$err" | sed 's/ $//; s/^./, standard error: &/')), run once more" >> "$unstarted"
      "$src/scripts/wine-run" "$exe" "$@" >"$out" 2>"$err"; status=$?
    fi
    cat "$out"; cat "$err" >&2; rm -f "$out" "$err"
    return $status
  }
  quenlo_host() { wine_program "$build/bin/quenlo-host.exe" "$@"; }
  standin_simulator() { wine_program "$build/bin/tarvik-standin.exe" "$@"; }
else
  sep='/'
  host_path() { printf '%s' "$1"; }
  quenlo_host() { "$build/bin/quenlo-host" "$@"; }
  standin_simulator() { "$build/bin/tarvik-standin" "$@"; }
fi
