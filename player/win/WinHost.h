#pragma once
// The stand-in host with its windows: the engines, a main window, the message loop, progress windows,
// the modeless-dialog registry and the keyboard. Tests start one per test; the player starts one.
#include <windows.h>

#include <initializer_list>
#include <memory>

#include "player/engine/HostEngines.h"
#include "player/win/MessageLoop.h"
#include "player/win/ProgressWindow.h"
#include "sdk/win/unique_handle.h"

namespace player {

// The player's name, as its main window and its messages show it.
inline constexpr char player_title[] = "Varnel Player";

class WinHost {
public:
    WinHost();
    ~WinHost();
    WinHost(const WinHost&) = delete;
    WinHost& operator=(const WinHost&) = delete;

    // Registers the host's services, the modeless-dialog registry and the given modules' services.
    void register_services(std::initializer_list<sonavel::service_factory_base*> module_lists = {});

    HostEngines& engines() noexcept { return engines_; }
    MessageLoop& loop() noexcept { return *loop_; }
    HWND main_window() const noexcept { return main_window_.get(); }
    // Destroys the main window and the windows it owns (the host's shutdown, before services end).
    void close_main_window();
    // Hides the visible windows the main window owns (the components' popup windows), as closing each of
    // them would, before they go with it.
    void hide_owned_windows();
    ModelessDialogs& dialogs() noexcept { return dialogs_; }
    // Popup messages also appear as message boxes owned by the main window (the player's way).
    void show_popups_as_message_boxes();

private:
    HostEngines engines_;
    sonavel::service_impl_single_t<ModelessDialogs> dialogs_;
    sonavel::unique_hwnd main_window_;
    std::unique_ptr<MessageLoop> loop_;
    ProgressWindowFactory progress_windows_;
};

// Modifier bits of keyboard_shortcut_manager for the keys held now.
unsigned current_key_modifiers();
// Whether `window` is a text box (an edit control).
bool is_text_box(HWND window);
// Whether the text box with the keyboard focus has its own meaning for the key (a virtual key with
// keyboard_shortcut_manager modifier bits): selecting, copying, cutting, pasting, undoing, deleting.
bool text_box_takes_key(unsigned keycode);

}  // namespace player
