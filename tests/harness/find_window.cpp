#include "tests/harness/find_window.h"

#include <vector>

#include "tests/harness/window_query.h"

namespace harness {
namespace {

HWND first_match(const std::vector<HWND>& windows, std::wstring_view text, std::wstring_view class_name) {
    for (HWND window : windows) {
        if (!class_name.empty() && !has_class(window, class_name)) continue;
        if (window_text(window) == text) return window;
    }
    return nullptr;
}

}  // namespace

HWND find_window(std::wstring_view text, std::wstring_view class_name) {
    return first_match(top_level_windows_of_this_process(), text, class_name);
}

HWND find_child(HWND parent, std::wstring_view text, std::wstring_view class_name) {
    return first_match(descendants(parent), text, class_name);
}

}  // namespace harness
