#!/usr/bin/env bash
# The component library is a 32-bit x86 PE DLL that exports exactly one undecorated function.
set -euo pipefail
dll=$1
file "$dll" | grep -q 'PE32 executable (DLL).*Intel 80386' || { file "$dll"; echo "not a PE32 i386 DLL"; exit 1; }
# The name table lists one "[ n] name" line per export after its heading.
exports=$(i686-w64-mingw32-objdump -p "$dll" |
          sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/{/Table/d;s/^\s*\[ *[0-9]*\] //p}')
if [[ "$exports" != "sonavel_get_interface" ]]; then
  echo "exports: ${exports:-none}"
  exit 1
fi
echo "exports: $exports"
