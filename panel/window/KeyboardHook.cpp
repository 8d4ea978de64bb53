#include "panel/window/KeyboardHook.h"

#include <exception>
#include <vector>

#include "panel/model/FillEvent.h"
#include "panel/model/LivePanels.h"
#include "panel/model/PanelModel.h"
#include "panel/model/TagUpdate.h"
#include "resources/resource.h"
#include "sdk/core_api.h"
#include "sdk/errors.h"
#include "sdk/ui_services.h"
#include "sdk/win/unique_handle.h"
#include "ui/Choosers.h"
#include "ui/LogLine.h"

namespace quennet {

namespace {

sonavel::unique_hhook& keyboard_hook() {
    static sonavel::unique_hhook hook;
    return hook;
}

bool key_down(int key) { return (GetKeyState(key) & 0x8000) != 0; }

void handle_key_down(PanelModel& model, const MSG& message) {
    const HWND panel_window = model.window();
    const auto key = unsigned(message.wParam);
    // Modifier combinations belong to the host first, also Ctrl+Enter and Ctrl+Escape.
    if (key_down(VK_CONTROL) || is_windows_key_down()) {
        pass_to_host_shortcuts(key);
        return;
    }
    const HWND target = message.hwnd;
    const bool in_list = target == GetDlgItem(panel_window, IDC_PANEL_VALUE_LIST);
    const bool in_filter = target == GetDlgItem(panel_window, IDC_PANEL_FILTER);
    const bool in_add = target == GetDlgItem(panel_window, IDC_PANEL_ADD);
    switch (key) {
    case VK_RETURN:
        if (in_add || in_list)
            commit_pending(tags_updated, nullptr, std::string());
        else if (!in_filter)
            pass_to_host_shortcuts(key);
        return;
    case VK_ESCAPE:
        model.rebuild_now();
        return;
    default:
        if (!in_filter && !in_add) pass_to_host_shortcuts(key);
        return;
    }
}

// A control that takes Enter and Escape itself (the add box while its suggestions are open) keeps them:
// they neither apply nor revert. Asked before the dialog manager hands the key on.
bool control_keeps_key(const MSG& message) {
    if (message.message != WM_KEYDOWN || (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE)) return false;
    return (SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, LPARAM(&message)) & DLGC_WANTALLKEYS) != 0;
}

LRESULT CALLBACK hook_procedure(int code, WPARAM wparam, LPARAM lparam) {
    if (code >= 0 && wparam == PM_REMOVE) {
        auto& message = *reinterpret_cast<MSG*>(lparam);
        // Nothing may unwind into the system's hook chain.
        try {
            handle_panel_key(message);
        } catch (const std::exception& e) {
            log_line("Keyboard handling failed: " + sonavel::message_of(e));
        } catch (...) {
            log_line("Keyboard handling failed");
        }
    }
    return CallNextHookEx(keyboard_hook().get(), code, wparam, lparam);
}

}  // namespace

void install_keyboard_hook() {
    if (keyboard_hook()) return;
    keyboard_hook().reset(SetWindowsHookExW(WH_GETMESSAGE, &hook_procedure, nullptr, GetCurrentThreadId()));
}

void remove_keyboard_hook() { keyboard_hook().reset(); }

bool keyboard_hook_installed() noexcept { return bool(keyboard_hook()); }

bool pass_to_host_shortcuts(unsigned key) {
    auto shortcuts = sonavel::standard_api_create_t<sonavel::keyboard_shortcut_manager_v2>();
    const sonavel::metadb_handle_list no_tracks;
    for (auto type : {sonavel::keyboard_shortcut_manager::type_main,
                      sonavel::keyboard_shortcut_manager::type_context_playlist,
                      sonavel::keyboard_shortcut_manager::type_context_now_playing}) {
        if (shortcuts->process_keydown_simple(type, no_tracks, key)) return true;
    }
    return false;
}

void handle_panel_key(MSG& message) {
    if (message.message < WM_KEYDOWN || message.message > WM_UNICHAR) return;
    // Keys of a menu tracked over a panel belong to the menu: Escape closing it must not revert, nor Enter
    // choosing an item apply.
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &gui) && (gui.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE))) return;
    const bool kept = control_keeps_key(message);
    auto& panels = live_panels();
    // By index: applying or reverting may change the list.
    for (std::size_t i = 0; i < panels.size(); ++i) {
        auto* model = dynamic_cast<PanelModel*>(panels[i]);
        if (!model) continue;
        const HWND panel_window = model->window();
        if (!panel_window || !IsDialogMessageW(panel_window, &message)) continue;
        const MSG handled = message;
        // The host's loop gets a WM_NULL for the window instead: the key was handled once, here.
        message.message = 0;
        message.wParam = 0;
        message.lParam = 0;
        if (handled.message == WM_KEYDOWN && !kept) handle_key_down(*model, handled);
    }
}

}  // namespace quennet
