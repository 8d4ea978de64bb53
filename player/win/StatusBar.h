#pragma once
// A status bar along the bottom of a window, in parts: each part but the last as wide as the longest text
// it is meant for, the last taking the rest. Its text is in the system's message font for the window's
// DPI. Main thread.
#include <windows.h>

#include <string>
#include <vector>

#include "sdk/win/unique_handle.h"

namespace player {

class StatusBar {
public:
    // `samples`: for each part but the last, a text as long as any it will show.
    StatusBar(HWND parent, int id, const std::vector<std::wstring>& samples);
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;

    HWND window() const noexcept { return bar_.get(); }
    // Follows the parent's new size; returns the bar's height.
    int fit();
    // Takes the message font for `dpi` and measures its parts again; the parent lays itself out after.
    void set_dpi(unsigned dpi);
    void set_text(int part, const std::string& utf8);
    std::wstring text(int part) const;

private:
    void measure(unsigned dpi);

    // Declared before the bar, which uses it until it is destroyed.
    sonavel::unique_hfont font_;
    sonavel::unique_hwnd bar_;
    std::vector<std::wstring> samples_;
    std::vector<int> widths_;
};

}  // namespace player
