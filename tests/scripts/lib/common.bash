# Shared by the scripted tests, which run as `bash TEST.sh BUILD_DIR SOURCE_DIR native|windows`:
# the checks and their count, and the build's programs with paths as they see them.
build="$1"; src="$2"; mode="$3"
passed=0; failed=0

# check NAME 'CONDITION'
# A condition is judged by its last command: `echo "$out" | grep -q ...` must
# not fail because grep stopped reading early (SIGPIPE under pipefail).
check() { local -; set +o pipefail; if eval "$2"; then passed=$((passed+1)); else failed=$((failed+1)); echo "FAILED: $1"; fi; }
# The closing count; fails the test when a check failed.
finish() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }

if [ "$mode" = windows ]; then
  sep='\'
  # A path as the Windows programs see it (Wine maps / to drive Z:).
  host_path() { printf 'Z:%s' "${1//\//\\}"; }
  quenlo_host() { "$src/scripts/wine-run" "$build/bin/quenlo-host.exe" "$@"; }
  standin_simulator() { "$src/scripts/wine-run" "$build/bin/tarvik-standin.exe" "$@"; }
else
  sep='/'
  host_path() { printf '%s' "$1"; }
  quenlo_host() { "$build/bin/quenlo-host" "$@"; }
  standin_simulator() { "$build/bin/tarvik-standin" "$@"; }
fi
