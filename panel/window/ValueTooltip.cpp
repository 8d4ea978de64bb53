#include "panel/window/ValueTooltip.h"

#include <commctrl.h>
#include <windowsx.h>

#include <stdexcept>

#include "sdk/utf8.h"

namespace quennet {
namespace {

constexpr UINT_PTR subclass_id = 0x7154;
// Below the cursor, clear of its arrow.
constexpr int tip_offset_y = 20;

TTTOOLINFOW tool_of(HWND list, wchar_t* text) {
    TTTOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = list;
    tool.uId = reinterpret_cast<UINT_PTR>(list);
    tool.lpszText = text;
    return tool;
}

}  // namespace

ValueTooltip::ValueTooltip(HWND list, std::function<std::string(int row)> text_of)
    : list_(list), text_of_(std::move(text_of)) {
    tip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, list, nullptr,
                               GetModuleHandleW(nullptr), nullptr));
    if (!tip_) throw std::runtime_error("The tooltip control could not be created");
    text_ = L" ";
    TTTOOLINFOW tool = tool_of(list_, text_.data());
    SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // Long values wrap instead of running off the screen.
    SendMessageW(tip_.get(), TTM_SETMAXTIPWIDTH, 0, 600);
    subclassed_ = SetWindowSubclass(list_, list_proc, subclass_id, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

ValueTooltip::~ValueTooltip() {
    if (subclassed_) RemoveWindowSubclass(list_, list_proc, subclass_id);
    // A tooltip belongs to the top-level window, which may have destroyed it already.
    if (!IsWindow(tip_.get())) tip_.release();
}

void ValueTooltip::hide() {
    if (shown_row_ < 0) return;
    shown_row_ = -1;
    TTTOOLINFOW tool = tool_of(list_, nullptr);
    SendMessageW(tip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

int ValueTooltip::row_at(POINT at) const {
    LVHITTESTINFO hit = {};
    hit.pt = at;
    const int row = int(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & LVHT_ONITEM) ? row : -1;
}

void ValueTooltip::watch_for_hover() {
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof track;
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = list_;
    track.dwHoverTime = HOVER_DEFAULT;
    TrackMouseEvent(&track);
}

void ValueTooltip::on_mouse_move(POINT at) {
    const int row = row_at(at);
    if (row != shown_row_) hide();
    // A row clicked on shows no tip again until the mouse has been elsewhere.
    if (row != hover_row_) quiet_row_ = -1;
    // Each new row waits for the mouse to rest on it again.
    if (row != quiet_row_ && (row != hover_row_ || shown_row_ < 0)) watch_for_hover();
    hover_row_ = row;
}

void ValueTooltip::on_button() {
    quiet_row_ = hover_row_;
    hide();
}

void ValueTooltip::on_hover(POINT at) {
    const int row = row_at(at);
    hover_row_ = row;
    if (row < 0 || row == quiet_row_) {
        hide();
        return;
    }
    const std::string text = text_of_(row);
    if (text.empty()) {
        hide();
        return;
    }
    text_ = sonavel::utf8_to_wide(text);
    TTTOOLINFOW tool = tool_of(list_, text_.data());
    SendMessageW(tip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    POINT screen = at;
    ClientToScreen(list_, &screen);
    SendMessageW(tip_.get(), TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y + tip_offset_y));
    SendMessageW(tip_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    shown_row_ = row;
}

LRESULT CALLBACK ValueTooltip::list_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                         DWORD_PTR self) {
    auto* tip = reinterpret_cast<ValueTooltip*>(self);
    // The list first: should it track the mouse itself, the hover watch armed after it stays.
    const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
    // A tip that cannot be shown is no reason for the list to fail: nothing unwinds into the system.
    try {
        switch (message) {
        case WM_MOUSEMOVE:
            tip->on_mouse_move({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
            break;
        case WM_MOUSEHOVER:
            tip->on_hover({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
            break;
        case WM_MOUSELEAVE:
            tip->hover_row_ = -1;
            tip->hide();
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            tip->on_button();
            break;
        case WM_MOUSEWHEEL:
        case WM_VSCROLL:
        case WM_KEYDOWN:
            tip->hide();
            break;
        default:
            break;
        }
    } catch (...) {
        tip->hide();
    }
    return result;
}

}  // namespace quennet
