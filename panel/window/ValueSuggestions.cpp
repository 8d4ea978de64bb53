#include "panel/window/ValueSuggestions.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <utility>

#include "panel/model/SimilarValues.h"
#include "panel/model/ValueSuggestions.h"
#include "sdk/core_api.h"
#include "sdk/library.h"
#include "sdk/utf8.h"
#include "sdk/win/uwin.h"

namespace quennet {
namespace {

constexpr UINT_PTR subclass_id = 0x5653;  // "VS"
constexpr std::size_t most_rows = 8;

}  // namespace

std::vector<std::string> known_values(const Options& preset) {
    std::vector<std::string> known = preset.tags;
    const auto library = sonavel::standard_api_create_t<sonavel::library_service>()->get_all_items();
    for (ValueCount& value : count_library_values(library, preset.metadata_field)) known.push_back(std::move(value.value));
    return known;
}

ValueSuggestions::ValueSuggestions(HWND add_box, std::function<std::vector<std::string>()> known)
    : box_(add_box), known_source_(std::move(known)) {
    // A pop-up owned by the panel's top-level window, so that it floats over the panel and its
    // neighbours; it is never activated, so the box keeps the focus and the caret.
    const HWND owner = GetAncestor(box_, GA_ROOT);
    list_.reset(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, L"LISTBOX", L"",
                                WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 10, 10, owner, nullptr,
                                GetModuleHandleW(nullptr), nullptr));
    if (list_) {
        SendMessageW(list_.get(), WM_SETFONT, SendMessageW(box_, WM_GETFONT, 0, 0), FALSE);
        list_subclassed_ =
            SetWindowSubclass(list_.get(), list_proc, subclass_id, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    }
    subclassed_ = SetWindowSubclass(box_, box_proc, subclass_id, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

ValueSuggestions::~ValueSuggestions() {
    if (subclassed_ && IsWindow(box_)) RemoveWindowSubclass(box_, box_proc, subclass_id);
    if (list_subclassed_ && list_) RemoveWindowSubclass(list_.get(), list_proc, subclass_id);
}

bool ValueSuggestions::shown() const { return list_ && IsWindowVisible(list_.get()); }

std::vector<std::string> ValueSuggestions::offered() const {
    std::vector<std::string> out;
    if (!list_) return out;
    const int n = int(SendMessageW(list_.get(), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        std::wstring text(std::size_t(SendMessageW(list_.get(), LB_GETTEXTLEN, WPARAM(i), 0)), L'\0');
        SendMessageW(list_.get(), LB_GETTEXT, WPARAM(i), LPARAM(text.data()));
        out.push_back(sonavel::wide_to_utf8(text));
    }
    return out;
}

void ValueSuggestions::on_focus_gained() { known_loaded_ = false; }

void ValueSuggestions::hide() {
    if (shown()) ShowWindow(list_.get(), SW_HIDE);
}

void ValueSuggestions::on_text_changed() {
    if (!list_ || choosing_) return;
    if (GetFocus() != box_) return hide();
    if (!known_loaded_) {
        known_ = known_source_();
        known_loaded_ = true;
    }
    const std::vector<std::string> found = suggest_values(known_, typed_piece(sonavel::uGetWindowText(box_)), most_rows);
    if (found.empty()) return hide();
    SendMessageW(list_.get(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_.get(), LB_RESETCONTENT, 0, 0);
    for (const std::string& value : found)
        SendMessageW(list_.get(), LB_ADDSTRING, 0, LPARAM(sonavel::utf8_to_wide(value).c_str()));
    SendMessageW(list_.get(), WM_SETREDRAW, TRUE, 0);
    place(found.size());
}

void ValueSuggestions::place(std::size_t rows) {
    RECT box{};
    GetWindowRect(box_, &box);
    const int row_height = std::max(1, int(SendMessageW(list_.get(), LB_GETITEMHEIGHT, 0, 0)));
    const int height = int(rows) * row_height + 2 * GetSystemMetrics(SM_CYBORDER) + 2;
    // Right under the box: the typed text stays in sight.
    SetWindowPos(list_.get(), HWND_TOPMOST, box.left, box.bottom, box.right - box.left, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(list_.get(), nullptr, TRUE);
}

void ValueSuggestions::move(int step) {
    const int n = int(SendMessageW(list_.get(), LB_GETCOUNT, 0, 0));
    if (n == 0) return;
    const int at = int(SendMessageW(list_.get(), LB_GETCURSEL, 0, 0));
    int next = at < 0 ? (step > 0 ? 0 : n - 1) : at + step;
    next = std::clamp(next, 0, n - 1);
    SendMessageW(list_.get(), LB_SETCURSEL, WPARAM(next), 0);
}

void ValueSuggestions::choose() {
    const int at = int(SendMessageW(list_.get(), LB_GETCURSEL, 0, 0));
    const std::vector<std::string> values = offered();
    hide();
    if (at < 0 || std::size_t(at) >= values.size()) return;
    const std::string text = with_suggestion(sonavel::uGetWindowText(box_), values[std::size_t(at)]);
    choosing_ = true;
    // Set as the user's own typing: the panel counts it as typed.
    sonavel::uSetWindowText(box_, text.c_str());
    choosing_ = false;
    const int end = GetWindowTextLengthW(box_);
    SendMessageW(box_, EM_SETSEL, WPARAM(end), LPARAM(end));
}

bool ValueSuggestions::on_key(UINT key) {
    if (!shown()) return false;
    switch (key) {
    case VK_DOWN:
        move(1);
        return true;
    case VK_UP:
        move(-1);
        return true;
    case VK_RETURN:
        // Nothing chosen yet: the drop-down closes, and the next Enter applies.
        choose();
        return true;
    case VK_ESCAPE:
        hide();
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK ValueSuggestions::list_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                             DWORD_PTR self) {
    auto* suggestions = reinterpret_cast<ValueSuggestions*>(self);
    try {
        switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_LBUTTONDOWN: {
            // The list box's own handling would take the focus from the box.
            const LRESULT hit = SendMessageW(window, LB_ITEMFROMPOINT, 0, lparam);
            if (HIWORD(hit) == 0) {
                SendMessageW(window, LB_SETCURSEL, LOWORD(hit), 0);
                suggestions->choose();
            }
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return 0;
        case WM_SETFONT: {
            // Rows of the new font's height: an open drop-down is sized again to hold them.
            const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
            if (suggestions->shown()) suggestions->place(std::size_t(SendMessageW(window, LB_GETCOUNT, 0, 0)));
            return result;
        }
        default:
            break;
        }
    } catch (...) {
        suggestions->hide();
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

LRESULT CALLBACK ValueSuggestions::box_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                            DWORD_PTR self) {
    auto* suggestions = reinterpret_cast<ValueSuggestions*>(self);
    try {
        switch (message) {
        case WM_GETDLGCODE:
            // While the drop-down is open its keys are the box's, not the panel's Enter and Escape.
            if (suggestions->shown()) return DefSubclassProc(window, message, wparam, lparam) | DLGC_WANTALLKEYS;
            break;
        case WM_KEYDOWN:
            if (suggestions->on_key(UINT(wparam))) {
                suggestions->took_key_ = wparam == VK_RETURN || wparam == VK_ESCAPE;
                return 0;
            }
            break;
        case WM_CHAR:
            // The Enter and Escape characters that follow a key the drop-down took make no beep.
            if ((wparam == '\r' || wparam == 0x1B) && std::exchange(suggestions->took_key_, false)) return 0;
            break;
        case WM_KILLFOCUS:
            suggestions->hide();
            break;
        default:
            break;
        }
    } catch (const std::exception&) {
        suggestions->hide();
    } catch (...) {
        suggestions->hide();
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace quennet
