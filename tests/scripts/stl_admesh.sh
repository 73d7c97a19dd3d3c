#!/usr/bin/env bash
# The stand-in host's STL files of the stock solid, checked with Debian's
# admesh: closed, no degenerate or reversed facets, one part, the expected size.
# Usage: stl_admesh.sh BUILD_DIR SOURCE_DIR native|windows
set -u
build="$1"; src="$2"; kind="$3"
if ! command -v admesh >/dev/null; then
  echo "admesh is not installed (scripts/install-deps installs it)"; exit 1
fi
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

if [ "$kind" = windows ]; then
  QUENLO_STL_OUT="Z:$(echo "$out" | tr / '\\')" "$src/scripts/wine-run" "$build/bin/project_tests.exe" \
    --gtest_filter='StockStlFiles.*' --gtest_brief=1 >"$out/run.log" 2>&1
else
  QUENLO_STL_OUT="$out" "$build/bin/project_tests" --gtest_filter='StockStlFiles.*' --gtest_brief=1 >"$out/run.log" 2>&1
fi
if [ $? -ne 0 ]; then cat "$out/run.log"; echo "FAIL: writing the STL files"; exit 1; fi

fail=0
# check NAME "minx maxx miny maxy minz maxz" (each within 0.011; "-" skips the size)
check() {
  local file="$out/$1.NC.stl" size="$2" report
  if [ ! -s "$file" ]; then echo "FAIL $1: no file"; fail=1; return; fi
  report="$(admesh "$file" 2>&1)"
  local bad
  bad="$(echo "$report" | awk -v name="$1" '
    /^Facets with 1 disconnected edge/ || /^Facets with 2 disconnected edges/ ||
    /^Facets with 3 disconnected edges/ || /^Total disconnected facets/ {
      split($0, p, ":"); split(p[2], v, " "); if (v[1] != 0) print name ": " $0 }
    /^Number of parts/ { seen = 1; if ($5 != 1) print name ": " $0 }
    /^Degenerate facets/ || /^Edges fixed/ || /^Facets removed/ || /^Facets added/ ||
    /^Facets reversed/ || /^Backwards edges/ || /^Normals fixed/ {
      split($0, p, ":"); split(p[2], v, " "); if (v[1] != 0) print name ": " $0 }
    /^Number of facets/ { split($0, p, ":"); split(p[2], v, " "); if (v[1] < 4) print name ": " $0 }
    END { if (!seen) print name ": admesh did not read the file" }')"
  if [ -n "$bad" ]; then echo "FAIL $bad"; fail=1; fi
  if [ "$size" != - ]; then
    local got
    got="$(echo "$report" | sed -n 's/^Min \([XYZ]\) = *\([^,]*\), Max [XYZ] = *\(.*\)$/\2 \3/p' | tr '\n' ' ')"
    if ! awk -v got="$got" -v want="$size" 'BEGIN { n = split(got, g, " "); split(want, w, " ");
          if (n != 6) exit 1; for (i = 1; i <= 6; i++) { d = g[i] - w[i]; if (d < -0.011 || d > 0.011) exit 1 } }'; then
      echo "FAIL $1: size $got, expected $size"; fail=1
    fi
  fi
  echo "$1: $(echo "$report" | sed -n 's/^Number of facets *: *\([0-9]*\).*/\1/p') facets"
}

check box "-50 50 -25 25 -20 0"
check cylinder "-9 11 -8 12 3 8"
check tilted -
check mesh "0 10 0 10 0 10"
[ $fail -eq 0 ] && echo PASS
exit $fail
