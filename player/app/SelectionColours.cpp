#include "player/app/SelectionColours.h"

namespace player {
namespace {

BYTE halfway(BYTE a, BYTE b) { return BYTE((int(a) + int(b)) / 2); }

}  // namespace

COLORREF inactive_selection_background() {
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), window = GetSysColor(COLOR_WINDOW);
    return RGB(halfway(GetRValue(highlight), GetRValue(window)), halfway(GetGValue(highlight), GetGValue(window)),
               halfway(GetBValue(highlight), GetBValue(window)));
}

LRESULT draw_unfocused_selection(HWND list, NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        // A focused list draws its selection itself: no word per row is needed then (each one is a
        // message through the parent's window procedures).
        return GetFocus() == list ? CDRF_DODEFAULT : CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        int row = int(draw.nmcd.dwItemSpec);
        if (!ListView_GetItemState(list, row, LVIS_SELECTED)) return CDRF_DODEFAULT;
        // Without the selected state the list draws the row, every column of it, in the colours given here.
        draw.nmcd.uItemState &= ~UINT(CDIS_SELECTED);
        draw.clrTextBk = inactive_selection_background();
        draw.clrText = GetSysColor(COLOR_WINDOWTEXT);
        return CDRF_NEWFONT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

}  // namespace player
