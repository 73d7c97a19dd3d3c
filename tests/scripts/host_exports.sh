#!/usr/bin/env bash
# Tarvik.dll exports m_version, m_main and Run under their plain names.
set -euo pipefail
build="$1"; mode="$3"
if [ "$mode" != windows ]; then echo "native build: no DLL to check"; exit 0; fi
table=$(x86_64-w64-mingw32-objdump -p "$build/bin/Tarvik.dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
echo "$table"
for name in m_version m_main Run; do
  echo "$table" | grep -Eq "\] ${name}$" || { echo "missing export: $name"; exit 1; }
done
count=$(echo "$table" | grep -Ec '^\s+\[')
[ "$count" -eq 3 ] || { echo "expected exactly 3 exports, found $count"; exit 1; }
echo "1 passed, 0 failed"
