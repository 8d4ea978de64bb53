#pragma once
// The Options dialog opened on a docked panel, and what a test reads and does in its controls.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "host/Registration.h"
#include "panel/window/VarnelPanel.h"
#include "presets/Options.h"
#include "tests/harness/window_query.h"
#include "tests/options/dialog_script.h"
#include "tests/presets/preset_test_support.h"
#include "tests/window/panel_window_fixture.h"

namespace options_test {

inline const std::wstring options_title = L"Varnel Panel Options";
inline const std::wstring new_title = L"New preset";
inline const std::wstring rename_title = L"Rename preset";

using Strings = std::vector<std::string>;

std::string text(HWND dialog, int id);
void set_text(HWND dialog, int id, const std::string& value);
// Gives the box the focus, types `value` into it and tabs on, as a user leaves a box.
void type_and_leave(HWND dialog, int id, const std::string& value);
void press(HWND dialog, int id);
bool is_checked(HWND dialog, int id);
bool is_enabled(HWND dialog, int id);
Strings entries(HWND dialog, int combo);
// The selected entry's text; empty when nothing is selected.
std::string selected(HWND dialog, int combo);
bool has_selection(HWND dialog, int combo);
// Selects the entry as the user does in the drop-down list, which tells the dialog.
void choose(HWND dialog, int combo, const std::string& entry);

Strings names_of(const std::vector<quennet::Options>& presets);
using preset_test::same_font;
// Every field the store keeps, with the values in order.
void expect_same_record(const quennet::Options& a, const quennet::Options& b);

class OptionsDialogs : public window_test::DockedPanels {
protected:
    quennet::VarnelPanel& docked_panel(const quennet::Options& current, const std::vector<quennet::Options>& presets = {}) {
        // The panel type is registered by the registration unit's static objects, which nothing else here
        // names: naming one keeps the linker from dropping them.
        const void* volatile registration = &quennet::settings_branch;
        static_cast<void>(registration);
        return panel_of(dock(current, presets));
    }
    // Opens the panel's Options dialog as its menu does, with `script` acting in it; the dialog's result.
    static bool open_options(quennet::VarnelPanel& panel, DialogScript& script);

    // A preset of its own appearance, with every other field set too.
    static quennet::Options full_preset(const std::string& name, const std::string& field);
};

}  // namespace options_test
