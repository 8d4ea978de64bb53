#!/usr/bin/env bash
# The player's loader loads the component as the host does and lists what it registered.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# msvcrt writes CR LF line ends to a pipe.
out=$("$here/scripts/wine-run.sh" "$1" "$2" | tr -d '\r')
echo "$out"
grep -qx 'interface version: 77' <<<"$out"
grep -qx 'debug build: no' <<<"$out"
grep -q '^    Varnel Panel 1.2.10 (quennet.dll)$' <<<"$out"
