#pragma once
// Dialogs for the harness's own tests, built from a template in memory like the ones resources hold.
#include <windows.h>

#include <vector>

#include "sdk/win/unique_handle.h"

namespace harness_test {

struct DialogItem {
    const wchar_t* window_class;
    const wchar_t* text;
    WORD id;
    DWORD style;
    RECT at;  // dialog units
};

// A modeless #32770 dialog, visible, owned by `owner`; its procedure handles nothing.
sonavel::unique_hwnd create_dialog(HWND owner, const wchar_t* caption, const std::vector<DialogItem>& items);

}  // namespace harness_test
