#include "player/win/WinHost.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "player/win/Dpi.h"
#include "sdk/utf8.h"
#include "sdk/win/uwin.h"

namespace player {
namespace {
constexpr wchar_t main_class[] = L"StandInPlayerMain";

// The panel host's fonts are the system's message font at the system's DPI; panels scale them to theirs.
void use_message_font(GlobalFonts& fonts) {
    const LOGFONTW message = sonavel::message_font_for_dpi(sonavel::system_dpi());
    panoplex::log_font font;
    static_assert(sizeof font == sizeof message);
    std::memcpy(static_cast<void*>(&font), &message, sizeof font);
    fonts.set_font(panoplex::fonts::font_type_items, font);
    fonts.set_font(panoplex::fonts::font_type_labels, font);
}

BOOL CALLBACK collect_window(HWND window, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}
}  // namespace

unsigned current_key_modifiers() {
    unsigned mods = 0;
    if (GetKeyState(VK_SHIFT) < 0) mods |= sonavel::keyboard_shortcut_manager::mod_shift;
    if (GetKeyState(VK_CONTROL) < 0) mods |= sonavel::keyboard_shortcut_manager::mod_ctrl;
    if (GetKeyState(VK_MENU) < 0) mods |= sonavel::keyboard_shortcut_manager::mod_alt;
    if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0) mods |= sonavel::keyboard_shortcut_manager::mod_win;
    return mods;
}

bool is_text_box(HWND window) {
    wchar_t name[16] = {};
    return window && GetClassNameW(window, name, 16) && lstrcmpiW(name, L"Edit") == 0;
}

bool text_box_takes_key(unsigned keycode) {
    using ks = sonavel::keyboard_shortcut_manager;
    if (!is_text_box(GetFocus())) return false;
    const unsigned key = keycode & 0xFF;
    const unsigned modifiers = keycode & ~0xFFu;
    if (modifiers & (ks::mod_alt | ks::mod_win)) return false;
    if (key == VK_DELETE || key == VK_BACK || key == VK_INSERT || key == VK_LEFT || key == VK_RIGHT ||
        key == VK_HOME || key == VK_END)
        return true;
    if (!(modifiers & ks::mod_ctrl)) return false;
    static constexpr unsigned char text_keys[] = {'A', 'C', 'H', 'V', 'X', 'Y', 'Z'};
    return std::find(std::begin(text_keys), std::end(text_keys), key) != std::end(text_keys);
}

WinHost::WinHost() {
    WNDCLASSEXW wc = {sizeof wc};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = main_class;
    RegisterClassExW(&wc);
    const SIZE size = first_window_size(900, 600, 40);
    main_window_.reset(CreateWindowExW(WS_EX_CONTROLPARENT, main_class, sonavel::utf8_to_wide(player_title).c_str(),
                                       WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, size.cx, size.cy, nullptr, nullptr,
                                       wc.hInstance, nullptr));
    engines_.state.main_window = main_window_.get();
    loop_ = std::make_unique<MessageLoop>(engines_.queue, dialogs_);
    engines_.modal_loop = [this](const std::function<bool()>& done) { loop_->run_until(done); };
    engines_.progress = &progress_windows_;
    engines_.shortcuts.current_modifiers = current_key_modifiers;
    engines_.shortcuts.typing_takes = text_box_takes_key;
    use_message_font(engines_.fonts);
}

WinHost::~WinHost() {
    engines_.begin_shutdown();
    engines_.workers.join_all();
    // The registry refers to dialogs_, which goes before the engines do.
    if (sonavel::core() == &engines_.core) sonavel::set_core(nullptr);
    engines_.state.registry.clear();
    loop_.reset();
}

void WinHost::register_services(std::initializer_list<sonavel::service_factory_base*> module_lists) {
    engines_.state.registry.add_instance(sonavel::modeless_dialog_manager::class_guid,
                                         static_cast<sonavel::service_base*>(&dialogs_));
    engines_.register_services(module_lists);
}

void WinHost::close_main_window() {
    engines_.state.main_window = nullptr;
    main_window_.reset();
}

void WinHost::hide_owned_windows() {
    const HWND owner = main_window_.get();
    if (!owner) return;
    std::vector<HWND> owned;
    EnumThreadWindows(GetCurrentThreadId(), collect_window, reinterpret_cast<LPARAM>(&owned));
    // A window hidden here may close others: each is checked again when its turn comes.
    for (HWND window : owned)
        if (IsWindow(window) && GetWindow(window, GW_OWNER) == owner && IsWindowVisible(window))
            ShowWindow(window, SW_HIDE);
}

void WinHost::show_popups_as_message_boxes() {
    HWND owner = main_window_.get();
    engines_.popups.handler = [owner](const PopupMessages::message& m) {
        sonavel::uMessageBox(owner, m.text.c_str(), m.title.c_str(),
                             m.icon == sonavel::popup_message::icon_error ? MB_ICONERROR : MB_ICONINFORMATION);
    };
}

}  // namespace player
