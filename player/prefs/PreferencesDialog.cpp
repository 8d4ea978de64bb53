#include "player/prefs/PreferencesDialog.h"

#include <algorithm>

#include "player/win/CenterOn.h"
#include "player/win/Dpi.h"
#include "player/win/WindowFont.h"
#include "sdk/console.h"
#include "sdk/core_api.h"
#include "sdk/errors.h"
#include "sdk/ui_services.h"
#include "sdk/utf8.h"

namespace player {
namespace {
constexpr wchar_t window_class[] = L"VarnelPlayerPreferences";

struct button {
    int id;
    const wchar_t* text;
    DWORD style;
};
// Left to right along the bottom edge; the first stands apart on the left.
constexpr button buttons[] = {
    {PreferencesDialog::id_reset, L"&Reset all", BS_PUSHBUTTON},
    {IDOK, L"OK", BS_DEFPUSHBUTTON},
    {IDCANCEL, L"Cancel", BS_PUSHBUTTON},
    {PreferencesDialog::id_apply, L"&Apply", BS_PUSHBUTTON},
};

void register_class() {
    WNDCLASSEXW wc = {sizeof wc};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = window_class;
    RegisterClassExW(&wc);
}
}  // namespace

PreferencesDialog::PreferencesDialog(HWND owner, std::function<void()> applied)
    : applied_(std::move(applied)), model_(AdvancedSettingsTree::from_services()), font_(message_font()) {
    register_class();
    window_.reset(CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, window_class, L"Preferences",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                  CW_USEDEFAULT, scaled_for_screen(560), scaled_for_screen(420), owner, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!window_) throw sonavel::exception_bug_check();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    CreateWindowExW(0, L"STATIC", L"Advanced settings: select an entry, then tick it or edit its value below.",
                    WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS, 0, 0, 10, 10, window_.get(),
                    reinterpret_cast<HMENU>(INT_PTR(id_heading)), instance, nullptr);
    view_ = std::make_unique<AdvancedSettingsView>(window_.get(), font_.get(), model_);
    view_->on_edited = [this] { edited(); };
    for (const auto& b : buttons) {
        CreateWindowExW(0, L"BUTTON", b.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | b.style, 0, 0, 10, 10, window_.get(),
                        reinterpret_cast<HMENU>(INT_PTR(b.id)), instance, nullptr);
    }
    set_children_font(window_.get(), font_.get());
    EnableWindow(GetDlgItem(window_.get(), id_apply), FALSE);
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(window_proc));
    layout();
    center_on(window_.get(), owner);
    if (auto dialogs = sonavel::standard_api_try_create_t<sonavel::modeless_dialog_manager>()) {
        dialogs->add(window_.get());
        registered_ = true;
    }
}

PreferencesDialog::~PreferencesDialog() {
    // Messages sent while the controls go (notifications of the tree being emptied) find no object.
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    if (!registered_) return;
    if (auto dialogs = sonavel::standard_api_try_create_t<sonavel::modeless_dialog_manager>()) dialogs->remove(window_.get());
}

void PreferencesDialog::show() {
    ShowWindow(window_.get(), SW_SHOW);
    SetForegroundWindow(window_.get());
    SetFocus(view_->tree());
}

void PreferencesDialog::layout() {
    RECT client;
    GetClientRect(window_.get(), &client);
    const unsigned dpi = sonavel::window_dpi(window_.get());
    const int margin = sonavel::scale_to_dpi(10, dpi), gap = sonavel::scale_to_dpi(6, dpi);
    int button_width = 0;
    const SIZE line = text_extent(window_.get(), font_.get(), L"Ag");
    for (const auto& b : buttons)
        button_width = std::max<int>(button_width, text_extent(window_.get(), font_.get(), b.text).cx + sonavel::scale_to_dpi(24, dpi));
    button_width = std::max(button_width, sonavel::scale_to_dpi(80, dpi));
    const int button_height = line.cy + sonavel::scale_to_dpi(12, dpi);
    const int button_top = client.bottom - margin - button_height;
    HWND heading = GetDlgItem(window_.get(), id_heading);
    SetWindowPos(heading, nullptr, margin, margin, client.right - 2 * margin, line.cy + 2, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT page = {margin, margin + line.cy + 2 + gap, client.right - margin, button_top - 2 * gap};
    view_->place(page);
    // "Reset all" on the left; OK, Cancel and Apply on the right.
    int x = client.right - margin - 3 * button_width - 2 * gap;
    for (const auto& b : buttons) {
        int left = b.id == id_reset ? margin : x;
        SetWindowPos(GetDlgItem(window_.get(), b.id), nullptr, left, button_top, button_width, button_height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (b.id != id_reset) x += button_width + gap;
    }
}

void PreferencesDialog::edited() { EnableWindow(GetDlgItem(window_.get(), id_apply), model_.edited()); }

bool PreferencesDialog::apply() {
    if (!model_.edited()) return true;
    if (auto refused = model_.check()) {
        // Nothing is applied: the setting shows its stored value again and the user is told why.
        model_.restore(refused->node);
        view_->refresh();
        edited();
        view_->select(refused->node);
        MessageBoxW(window_.get(), sonavel::utf8_to_wide(refused->message).c_str(), L"Preferences",
                    MB_OK | MB_ICONWARNING);
        view_->edit_value();
        return false;
    }
    model_.apply();
    view_->refresh();
    edited();
    if (applied_) applied_();
    return true;
}

void PreferencesDialog::close() {
    HWND owner = GetWindow(window_.get(), GW_OWNER);
    ShowWindow(window_.get(), SW_HIDE);
    if (owner) SetActiveWindow(owner);
}

LRESULT CALLBACK PreferencesDialog::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<PreferencesDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wparam, lparam);
    // Nothing may unwind into the system's window code: a setting that fails is reported on the console.
    try {
        return self->on_message(window, message, wparam, lparam);
    } catch (const std::exception& e) {
        sonavel::console_print(("Preferences: " + sonavel::message_of(e)).c_str());
        return 0;
    }
}

LRESULT PreferencesDialog::on_message(HWND self, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SIZE:
        layout();
        return 0;
    case WM_DPICHANGED:
        renew_children_font(self, font_);
        move_to_suggested(self, lparam);
        layout();
        return 0;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lparam);
        limits->ptMinTrackSize = {420, 300};
        return 0;
    }
    case WM_NOTIFY:
        if (auto result = view_->on_notify(*reinterpret_cast<const NMHDR*>(lparam))) return *result;
        break;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDOK:
            if (apply()) close();
            return 0;
        case IDCANCEL:
            close();
            return 0;
        case id_apply:
            apply();
            return 0;
        case id_reset:
            model_.reset_all();
            view_->refresh();
            edited();
            return 0;
        default:
            view_->on_command(LOWORD(wparam), HIWORD(wparam));
            return 0;
        }
    case DM_GETDEFID:
        return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE:
        close();
        return 0;
    }
    return DefWindowProcW(self, message, wparam, lparam);
}

}  // namespace player
