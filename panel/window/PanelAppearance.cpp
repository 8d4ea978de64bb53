#include "panel/window/PanelAppearance.h"

#include <commctrl.h>

#include <cstring>

#include "resources/resource.h"

namespace quennet {

namespace {

constexpr DWORD edge_styles = WS_EX_STATICEDGE | WS_EX_CLIENTEDGE;

sonavel::unique_hfont font_of(const panoplex::log_font& font, bool italic = false) {
    LOGFONTW logical{};
    std::memcpy(&logical, static_cast<const void*>(&font), sizeof logical);
    if (italic) logical.lfItalic = TRUE;
    return sonavel::unique_hfont(CreateFontIndirectW(&logical));
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

void PanelAppearance::apply(HWND panel, const Options& options) {
    const HWND list = GetDlgItem(panel, IDC_PANEL_VALUE_LIST);
    const HWND filter = GetDlgItem(panel, IDC_PANEL_FILTER);
    const HWND add = GetDlgItem(panel, IDC_PANEL_ADD);

    sonavel::unique_hfont old_list_font = std::move(list_font_);
    sonavel::unique_hfont old_text_font = std::move(text_font_);
    // The list draws with it until it repaints with the new fonts.
    sonavel::unique_hfont old_pending_font = std::move(pending_font_);
    sonavel::unique_hfont old_pending_text_font = std::move(pending_text_font_);
    list_font_ = font_of(options.list_font);
    pending_font_ = font_of(options.list_font, /*italic=*/true);
    pending_text_font_ = font_of(options.text_font, /*italic=*/true);
    text_font_ = font_of(options.text_font);

    SendMessageW(list, LVM_SETTEXTCOLOR, 0, LPARAM(options.list_color));
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, LPARAM(options.list_back_color));
    SendMessageW(list, LVM_SETBKCOLOR, 0, LPARAM(options.list_back_color));
    SendMessageW(list, WM_SETFONT, WPARAM(list_font_.get()), TRUE);
    for (HWND edit : {filter, add}) SendMessageW(edit, WM_SETFONT, WPARAM(text_font_.get()), TRUE);

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
