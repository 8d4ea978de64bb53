#!/usr/bin/env bash
# The Windows package as a user meets it: the zip unpacks into one folder that holds the programs, the
# runtime DLLs and the help; player.exe started from there (under wine) finds its component, docks the
# default panel on the first run and keeps its configuration in that folder.
#   usage: package_test.sh <build-dir> <work folder>
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "$1" && pwd)
work=$2
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)
fail() { echo "FAIL: $*"; exit 1; }

bash "$repo/scripts/make-package.sh" "$build" "$work/varnel-player.zip" || fail "no package"
/usr/bin/python3 -m zipfile -e "$work/varnel-player.zip" "$work/unpacked" || fail "the zip does not unpack"
app=$work/unpacked/varnel-player
for f in player.exe quennet.dll libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll default-layout.cfg \
         help/quennet_help.html; do
  [[ -f $app/$f ]] || fail "the package lacks $f"
done
# Every DLL the two programs import is either in the folder or part of Windows.
for dll in $(i686-w64-mingw32-objdump -p "$app/player.exe" "$app/quennet.dll" | awk '/DLL Name/ {print $3}' | sort -u); do
  [[ -f $app/$dll ]] && continue
  case ${dll,,} in
    kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|comdlg32.dll|shell32.dll|shlwapi.dll|ole32.dll|msvcrt.dll|ntdll.dll|advapi32.dll) ;;
    *) fail "$dll is neither in the package nor part of Windows" ;;
  esac
done

/usr/bin/python3 "$repo/demo/make_library.py" "$work/library" >/dev/null || exit 1
(cd "$app" && wine player.exe "Z:$(echo "$work/library" | tr / '\\')" >"$work/player.log" 2>&1) &
player=$!
wine "$build/bin/demo-driver.exe" start
rc=$?
((rc == 0)) || kill "$player" 2>/dev/null
wait "$player"
((rc == 0)) || fail "the unpacked player did not start with its panel"
[[ -f $app/layout.cfg && -f $app/player.cfg ]] || fail "the configuration was not kept beside player.exe"
echo "package passed"
