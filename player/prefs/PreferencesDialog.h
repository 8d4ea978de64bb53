#pragma once
// The player's Preferences window with its Advanced page: the registered advanced settings, edited in a
// tree, taking effect on OK or Apply (Cancel and closing leave every setting as it was; a number that is
// not one, or out of range, is refused with a message and the setting keeps its value); "Reset all"
// puts every setting's default into the page. A modeless window owned by the main window, registered
// with the host's modeless-dialog registry so that Tab, Enter and Escape work. Closing hides it; its
// owner makes a new one for the next opening, so that it always starts from the stored values. Main thread.
#include <windows.h>

#include <functional>
#include <memory>

#include "player/prefs/AdvancedSettingsTree.h"
#include "player/prefs/AdvancedSettingsView.h"
#include "sdk/win/unique_handle.h"

namespace player {

class PreferencesDialog {
public:
    enum control_id : int { id_heading = 1210, id_reset = 1211, id_apply = 1212 };

    // `applied` runs after the settings took new values (the player stores them then).
    PreferencesDialog(HWND owner, std::function<void()> applied);
    ~PreferencesDialog();
    PreferencesDialog(const PreferencesDialog&) = delete;
    PreferencesDialog& operator=(const PreferencesDialog&) = delete;

    HWND window() const noexcept { return window_.get(); }
    AdvancedSettingsView& advanced() noexcept { return *view_; }
    const AdvancedSettingsTree& settings() const noexcept { return model_; }
    // Visible, not yet closed by OK, Cancel or the close box.
    bool is_open() const noexcept { return window_ && IsWindowVisible(window_.get()); }
    void show();

private:
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT on_message(HWND self, UINT message, WPARAM wparam, LPARAM lparam);
    void layout();
    // False when a value was refused (the user was told): nothing was applied.
    bool apply();
    void close();
    void edited();

    std::function<void()> applied_;
    AdvancedSettingsTree model_;
    sonavel::unique_hfont font_;
    sonavel::unique_hwnd window_;
    std::unique_ptr<AdvancedSettingsView> view_;
    bool registered_ = false;
};

}  // namespace player
