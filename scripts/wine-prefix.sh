#!/usr/bin/env bash
# Creates the build's private 32-bit wine prefix (once) with the settings headless runs need:
# no crash dialog (a crash then exits with code 5 instead of starting a debugger that waits forever)
# a virtual desktop (on bare Xvfb each DestroyWindow of a visible top-level window takes 2 s), and fonts:
# Debian's CJK font (WenQuanYi Micro Hei) linked behind the dialog and list fonts, so that Japanese and
# Chinese values show, and dialogs in wine's own metric-compatible faces (fonts-wine), so that their
# labels fit the boxes their templates give them; .html pages open in the desktop's browser. A prefix made by an older version of this script is
# made again.
#   usage: scripts/wine-prefix.sh <prefix>
set -euo pipefail
export WINEPREFIX=$1 WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
stamp=$WINEPREFIX/.quennet-prefix
version=2
[[ -f $stamp && $(cat "$stamp") == "$version" ]] && exit 0
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
wineboot -i </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
# Web pages open with winebrowser, which hands them to the desktop's browser (xdg-open): without Gecko
# nothing else registers the extensions, and the component's Help would find no program for its page.
for extension in .html .htm; do
  wine reg add "HKCR\\$extension" /ve /d htmlfile /f >/dev/null 2>&1
  wine reg add "HKCR\\$extension" /v "Content Type" /d text/html /f >/dev/null 2>&1
done
cjk_file=wqy-microhei.ttc cjk_face="WenQuanYi Micro Hei"
ln -sf "/usr/share/fonts/truetype/wqy/$cjk_file" "$WINEPREFIX/drive_c/windows/Fonts/$cjk_file"
links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for face in "MS Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2" Tahoma "Microsoft Sans Serif" "Segoe UI" "DejaVu Sans"; do
  wine reg add "$links" /v "$face" /t REG_MULTI_SZ /d "$cjk_file,$cjk_face" /f >/dev/null 2>&1
done
wineserver -w
echo "$version" >"$stamp"
