#pragma once
// A status bar along the bottom of a window, in parts: each part but the last as wide as the longest text
// it is meant for, the last taking the rest. Main thread.
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
    void set_text(int part, const std::string& utf8);
    std::wstring text(int part) const;

private:
    sonavel::unique_hwnd bar_;
    std::vector<int> widths_;
};

}  // namespace player
