#include "panel/window/PanelAppearance.h"

#include <commctrl.h>

#include <cstring>

#include "resources/resource.h"
#include "sdk/win/dpi.h"

namespace quennet {

namespace {

constexpr DWORD edge_styles = WS_EX_STATICEDGE | WS_EX_CLIENTEDGE;

// `font`, whose height is given at `font_dpi` (0: pixels as they are), for a window at `dpi`.
sonavel::unique_hfont font_of(const panoplex::log_font& font, unsigned font_dpi, unsigned dpi, bool italic = false) {
    LOGFONTW logical{};
    std::memcpy(&logical, static_cast<const void*>(&font), sizeof logical);
    if (font_dpi != 0 && font_dpi != dpi) logical.lfHeight = MulDiv(logical.lfHeight, int(dpi), int(font_dpi));
    if (italic) logical.lfItalic = TRUE;
    return sonavel::unique_hfont(CreateFontIndirectW(&logical));
}

// The panel host gives its fonts at the system's DPI.
unsigned font_dpi_of(const Options& options, std::uint32_t own_dpi) {
    return options.global_colors_and_fonts ? sonavel::system_dpi() : own_dpi;
}

void set_edge(HWND window, DWORD edge) {
    const auto style = DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE));
    SetWindowLongPtrW(window, GWL_EXSTYLE, LONG_PTR((style & ~edge_styles) | edge));
}

}  // namespace

DWORD edge_ex_style(std::int32_t edge_style) noexcept {
    switch (edge_style) {
    case Options::edge_grey: return WS_EX_STATICEDGE;
    case Options::edge_sunken: return WS_EX_CLIENTEDGE;
    default: return 0;
    }
}

void PanelAppearance::apply(HWND panel, const Options& options, HWND suggestions) {
    const HWND list = GetDlgItem(panel, IDC_PANEL_VALUE_LIST);
    const HWND filter = GetDlgItem(panel, IDC_PANEL_FILTER);
    const HWND add = GetDlgItem(panel, IDC_PANEL_ADD);

    sonavel::unique_hfont old_list_font = std::move(list_font_);
    sonavel::unique_hfont old_text_font = std::move(text_font_);
    // The list draws with it until it repaints with the new fonts.
    sonavel::unique_hfont old_pending_font = std::move(pending_font_);
    sonavel::unique_hfont old_pending_text_font = std::move(pending_text_font_);
    const unsigned dpi = sonavel::window_dpi(panel);
    const unsigned list_dpi = font_dpi_of(options, options.list_font_dpi);
    const unsigned text_dpi = font_dpi_of(options, options.text_font_dpi);
    list_font_ = font_of(options.list_font, list_dpi, dpi);
    pending_font_ = font_of(options.list_font, list_dpi, dpi, /*italic=*/true);
    pending_text_font_ = font_of(options.text_font, text_dpi, dpi, /*italic=*/true);
    text_font_ = font_of(options.text_font, text_dpi, dpi);

    SendMessageW(list, LVM_SETTEXTCOLOR, 0, LPARAM(options.list_color));
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, LPARAM(options.list_back_color));
    SendMessageW(list, LVM_SETBKCOLOR, 0, LPARAM(options.list_back_color));
    SendMessageW(list, WM_SETFONT, WPARAM(list_font_.get()), TRUE);
    for (HWND edit : {filter, add}) SendMessageW(edit, WM_SETFONT, WPARAM(text_font_.get()), TRUE);
    if (suggestions) SendMessageW(suggestions, WM_SETFONT, WPARAM(text_font_.get()), TRUE);

    // Both edges are cleared before one is set: a control must never end up with both.
    const DWORD edge = edge_ex_style(options.edge_style);
    for (HWND window : {panel, list, filter, add}) set_edge(window, edge);
    for (HWND window : {panel, list, filter, add})
        SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

HBRUSH PanelAppearance::edit_colours(HDC dc, const Options& options) {
    SetTextColor(dc, options.text_color);
    SetBkColor(dc, options.list_back_color);
    edit_brush_.reset();
    edit_brush_.reset(CreateSolidBrush(options.list_back_color));
    return edit_brush_.get();
}

HBRUSH PanelAppearance::dialog_background(const Options& options) {
    dialog_brush_.reset();
    dialog_brush_.reset(CreateSolidBrush(options.back_color));
    return dialog_brush_.get();
}

}  // namespace quennet
