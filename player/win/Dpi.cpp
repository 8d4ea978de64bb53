#include "player/win/Dpi.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "player/win/WindowFont.h"

namespace player {

sonavel::unique_hfont message_font_at(unsigned dpi) {
    const LOGFONTW font = sonavel::message_font_for_dpi(dpi);
    return sonavel::unique_hfont(CreateFontIndirectW(&font));
}

SIZE button_size(HWND window, HFONT font, std::wstring_view text) {
    const unsigned dpi = sonavel::window_dpi(window);
    const int width = text_extent(window, font, text).cx + sonavel::scale_to_dpi(24, dpi);
    const int height = sonavel::line_height(window, font) + sonavel::scale_to_dpi(10, dpi);
    return {std::max(width, sonavel::scale_to_dpi(80, dpi)), std::max(height, sonavel::scale_to_dpi(26, dpi))};
}

void resize_client(HWND window, int width, int height, unsigned dpi) {
    using adjust_for_dpi_t = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust_for_dpi = reinterpret_cast<adjust_for_dpi_t>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    RECT frame{0, 0, width, height};
    const auto style = DWORD(GetWindowLongPtrW(window, GWL_STYLE));
    const auto ex_style = DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE));
    const BOOL menu = GetMenu(window) != nullptr;
    if (!adjust_for_dpi || !adjust_for_dpi(&frame, style, menu, ex_style, dpi))
        AdjustWindowRectEx(&frame, style, menu, ex_style);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void move_to_suggested(HWND window, LPARAM lparam) {
    const auto* r = reinterpret_cast<const RECT*>(lparam);
    if (!r) return;
    SetWindowPos(window, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void renew_children_font(HWND window, sonavel::unique_hfont& font) {
    sonavel::unique_hfont fresh = message_font_at(sonavel::window_dpi(window));
    if (!fresh) return;
    // The children let go of the old font before it is deleted.
    set_children_font(window, fresh.get());
    font = std::move(fresh);
}

void rescale_list_columns(HWND list, unsigned from, unsigned to) {
    if (from == 0 || from == to) return;
    const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int c = 0; c < columns; ++c) {
        const int width = int(SendMessageW(list, LVM_GETCOLUMNWIDTH, WPARAM(c), 0));
        SendMessageW(list, LVM_SETCOLUMNWIDTH, WPARAM(c), MAKELPARAM(MulDiv(width, int(to), int(from)), 0));
    }
}

int scaled_for_screen(int pixels) { return sonavel::scale_to_dpi(pixels, sonavel::system_dpi()); }

SIZE first_window_size(int width, int height, int margin) {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {std::min(scaled_for_screen(width), int(work.right - work.left) - 2 * margin),
            std::min(scaled_for_screen(height), int(work.bottom - work.top) - 2 * margin)};
}

}  // namespace player
