#include "player/app/PaneFocus.h"

#include "player/win/WinHost.h"

namespace player {
namespace {

bool is_dialog(HWND window) {
    wchar_t name[16] = {};
    return GetClassNameW(window, name, 16) && lstrcmpW(name, L"#32770") == 0;
}

// The first control of the pane that takes the focus, a list before a text box: keys typed into a text box
// stay there, so from a list F6 can move on again.
HWND first_control(HWND pane) {
    HWND first = GetNextDlgTabItem(pane, nullptr, FALSE);
    if (!first || !IsChild(pane, first)) return nullptr;
    for (HWND control = first;;) {
        if (!is_text_box(control)) return control;
        control = GetNextDlgTabItem(pane, control, FALSE);
        if (!control || control == first || !IsChild(pane, control)) return first;
    }
}

}  // namespace

int pane_with_focus(const std::vector<HWND>& panes) {
    HWND focus = GetFocus();
    for (std::size_t i = 0; focus && i < panes.size(); ++i)
        if (panes[i] == focus || IsChild(panes[i], focus)) return int(i);
    return -1;
}

void move_pane_focus(const std::vector<HWND>& panes, bool forward) {
    int count = int(panes.size());
    if (count == 0) return;
    int current = pane_with_focus(panes);
    if (current < 0) current = forward ? count - 1 : 0;
    for (int step = 1; step <= count; ++step) {
        HWND pane = panes[std::size_t(((current + (forward ? step : -step)) % count + count) % count)];
        if (!pane || !IsWindowVisible(pane) || !IsWindowEnabled(pane)) continue;
        // A panel is a dialog of controls: its first control takes the focus; a list takes it itself.
        bool controls = (GetWindowLongW(pane, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) || is_dialog(pane);
        HWND first = controls ? first_control(pane) : nullptr;
        SetFocus(first ? first : pane);
        return;
    }
}

}  // namespace player
