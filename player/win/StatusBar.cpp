#include "player/win/StatusBar.h"

#include <commctrl.h>

#include "player/win/WindowFont.h"
#include "sdk/utf8.h"

namespace player {

StatusBar::StatusBar(HWND parent, int id, const std::vector<std::wstring>& samples) {
    bar_.reset(CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr));
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(bar_.get(), WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    // Room for the part's borders and some air on each side of the text.
    const int padding = 2 * GetSystemMetrics(SM_CXEDGE) + 16;
    for (const auto& sample : samples) widths_.push_back(text_extent(bar_.get(), font, sample).cx + padding);
    fit();
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
