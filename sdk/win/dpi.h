#pragma once
// Display scaling: the DPI a window is shown at and sizes scaled to it. The per-monitor calls exist from
// Windows 10 on and are looked up when first needed; older systems give the screen's DPI.
#include <windows.h>

// Sent from Windows 10 on; the headers declare them only for builds that require it.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

namespace sonavel {

// 96 DPI: the scale at which sizes given in pixels are meant.
inline constexpr unsigned base_dpi = 96;

// The DPI of `window`'s monitor (or of the screen, where a program cannot tell monitors apart).
unsigned window_dpi(HWND window) noexcept;
// Whether Windows itself sends WM_DPICHANGED_AFTERPARENT to `window`'s children after the window's own
// WM_DPICHANGED: only per-monitor (v2) windows' children hear of it; a per-monitor (v1) top-level window has
// to tell its children.
bool children_told_of_dpi_changes(HWND window) noexcept;
// The DPI of the primary screen, at which the system's fonts and metrics are given by the older calls.
unsigned system_dpi() noexcept;
// `pixels` at 96 DPI, scaled to `dpi`, rounded.
int scale_to_dpi(int pixels, unsigned dpi) noexcept;
// A system metric (SM_CXSMICON, SM_CXVSCROLL, ...) for `dpi`.
int system_metric_for_dpi(int index, unsigned dpi) noexcept;
// The system's message font (dialogs, lists, status lines) for `dpi`.
LOGFONTW message_font_for_dpi(unsigned dpi) noexcept;
// A device context of `window`'s screen with `font` selected, for measuring texts; released and put back
// however the scope ends.
class font_dc {
public:
    font_dc(HWND window, HFONT font) noexcept;
    ~font_dc();
    font_dc(const font_dc&) = delete;
    font_dc& operator=(const font_dc&) = delete;
    HDC get() const noexcept { return dc_; }
    // The width of `text` in pixels; 0 without a device context.
    int text_width(const wchar_t* text, int length) const noexcept;

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

// The height of a line of `font` on `window`'s screen, in pixels (the font's height with its leading).
int line_height(HWND window, HFONT font) noexcept;
// The width of `text` in `font` on `window`'s screen, in pixels.
int text_width(HWND window, HFONT font, const wchar_t* text, int length) noexcept;

}  // namespace sonavel
