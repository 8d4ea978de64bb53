#include "player/win/WindowFont.h"

#include "player/win/GdiScope.h"

namespace player {
namespace {
BOOL CALLBACK send_font(HWND child, LPARAM font) {
    SendMessageW(child, WM_SETFONT, WPARAM(font), FALSE);
    return TRUE;
}
}  // namespace

sonavel::unique_hfont message_font() {
    NONCLIENTMETRICSW metrics = {sizeof metrics};
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return sonavel::unique_hfont(CreateFontIndirectW(&metrics.lfMessageFont));
}

SIZE text_extent(HWND window, HFONT font, std::wstring_view text) {
    SIZE size = {0, 0};
    window_dc dc(window);
    if (!dc.get()) return size;
    selected_object selected(dc.get(), font);
    GetTextExtentPoint32W(dc.get(), text.data(), int(text.size()), &size);
    return size;
}

void set_children_font(HWND parent, HFONT font) { EnumChildWindows(parent, send_font, LPARAM(font)); }

}  // namespace player
