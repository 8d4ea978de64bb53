#include "player/win/StatusBar.h"

#include <commctrl.h>

#include <utility>

#include "player/win/Dpi.h"
#include "player/win/WindowFont.h"
#include "sdk/utf8.h"

namespace player {

StatusBar::StatusBar(HWND parent, int id, const std::vector<std::wstring>& samples) : samples_(samples) {
    bar_.reset(CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr));
    measure(sonavel::window_dpi(parent));
    fit();
}

void StatusBar::set_dpi(unsigned dpi) { measure(dpi); }

void StatusBar::measure(unsigned dpi) {
    sonavel::unique_hfont fresh = message_font_at(dpi);
    if (fresh) {
        // The bar lets go of the old font before it is deleted.
        SendMessageW(bar_.get(), WM_SETFONT, WPARAM(fresh.get()), TRUE);
        font_ = std::move(fresh);
    }
    HFONT font = font_ ? font_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    // Room for the part's borders and some air on each side of the text.
    const int padding = 2 * sonavel::system_metric_for_dpi(SM_CXEDGE, dpi) + sonavel::scale_to_dpi(16, dpi);
    widths_.clear();
    for (const auto& sample : samples_) widths_.push_back(text_extent(bar_.get(), font, sample).cx + padding);
}

int StatusBar::fit() {
    SendMessageW(bar_.get(), WM_SIZE, 0, 0);
    std::vector<int> rights;
    int right = 0;
    for (int width : widths_) rights.push_back(right += width);
    rights.push_back(-1);
    SendMessageW(bar_.get(), SB_SETPARTS, WPARAM(rights.size()), reinterpret_cast<LPARAM>(rights.data()));
    RECT bar;
    GetWindowRect(bar_.get(), &bar);
    return bar.bottom - bar.top;
}

void StatusBar::set_text(int part, const std::string& utf8) {
    std::wstring text = sonavel::utf8_to_wide(utf8);
    SendMessageW(bar_.get(), SB_SETTEXTW, WPARAM(part), reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring StatusBar::text(int part) const {
    LRESULT length = LOWORD(SendMessageW(bar_.get(), SB_GETTEXTLENGTHW, WPARAM(part), 0));
    std::wstring text(std::size_t(length) + 1, L'\0');
    SendMessageW(bar_.get(), SB_GETTEXTW, WPARAM(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::size_t(length));
    return text;
}

}  // namespace player
