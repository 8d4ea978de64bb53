#include "sdk/win/dpi.h"

namespace sonavel {

namespace {

template <typename F>
F user32_entry(const char* name) noexcept {
    static const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

unsigned dc_dpi(HWND window) noexcept {
    HDC dc = GetDC(window);
    if (!dc) return base_dpi;
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    return dpi > 0 ? unsigned(dpi) : base_dpi;
}

}  // namespace

font_dc::font_dc(HWND window, HFONT font) noexcept : window_(window), dc_(GetDC(window)) {
    if (dc_ && font) old_ = SelectObject(dc_, font);
}

font_dc::~font_dc() {
    if (!dc_) return;
    if (old_) SelectObject(dc_, old_);
    ReleaseDC(window_, dc_);
}

int font_dc::text_width(const wchar_t* text, int length) const noexcept {
    SIZE size{};
    if (!dc_ || !GetTextExtentPoint32W(dc_, text, length, &size)) return 0;
    return size.cx;
}

unsigned window_dpi(HWND window) noexcept {
    using get_dpi_for_window_t = UINT(WINAPI*)(HWND);
    static const auto get_dpi_for_window = user32_entry<get_dpi_for_window_t>("GetDpiForWindow");
    if (get_dpi_for_window && window) {
        if (const UINT dpi = get_dpi_for_window(window)) return dpi;
    }
    return dc_dpi(window);
}

bool children_told_of_dpi_changes(HWND window) noexcept {
    using context_t = HANDLE;
    using get_window_context_t = context_t(WINAPI*)(HWND);
    using contexts_equal_t = BOOL(WINAPI*)(context_t, context_t);
    static const auto get_window_context = user32_entry<get_window_context_t>("GetWindowDpiAwarenessContext");
    static const auto contexts_equal = user32_entry<contexts_equal_t>("AreDpiAwarenessContextsEqual");
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    const auto per_monitor_v2 = reinterpret_cast<context_t>(INT_PTR(-4));
    return get_window_context && contexts_equal && window &&
           contexts_equal(get_window_context(window), per_monitor_v2);
}

unsigned system_dpi() noexcept {
    using get_dpi_for_system_t = UINT(WINAPI*)();
    static const auto get_dpi_for_system = user32_entry<get_dpi_for_system_t>("GetDpiForSystem");
    if (get_dpi_for_system) {
        if (const UINT dpi = get_dpi_for_system()) return dpi;
    }
    return dc_dpi(nullptr);
}

int scale_to_dpi(int pixels, unsigned dpi) noexcept { return MulDiv(pixels, int(dpi), int(base_dpi)); }

int system_metric_for_dpi(int index, unsigned dpi) noexcept {
    using get_metrics_for_dpi_t = int(WINAPI*)(int, UINT);
    static const auto get_metrics_for_dpi = user32_entry<get_metrics_for_dpi_t>("GetSystemMetricsForDpi");
    if (get_metrics_for_dpi) return get_metrics_for_dpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), int(dpi), int(system_dpi()));
}

LOGFONTW message_font_for_dpi(unsigned dpi) noexcept {
    using parameters_for_dpi_t = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    static const auto parameters_for_dpi = user32_entry<parameters_for_dpi_t>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (parameters_for_dpi && parameters_for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        return metrics.lfMessageFont;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        LOGFONTW font = metrics.lfMessageFont;
        font.lfHeight = MulDiv(font.lfHeight, int(dpi), int(system_dpi()));
        return font;
    }
    // 9 points, as the system's message font is by default.
    LOGFONTW font{};
    font.lfHeight = -MulDiv(9, int(dpi), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    return font;
}

int line_height(HWND window, HFONT font) noexcept {
    font_dc dc(window, font);
    TEXTMETRICW metrics{};
    if (!dc.get() || !GetTextMetricsW(dc.get(), &metrics)) return 0;
    return metrics.tmHeight + metrics.tmExternalLeading;
}

int text_width(HWND window, HFONT font, const wchar_t* text, int length) noexcept {
    return font_dc(window, font).text_width(text, length);
}

}  // namespace sonavel
