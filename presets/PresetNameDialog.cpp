#include "presets/PresetNameDialog.h"

#include <string>

#include "presets/OptionsDialog.h"
#include "resources/resource.h"
#include "sdk/win/uwin.h"

namespace quennet {

INT_PTR PresetNameDialog::dialog_proc(HWND, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        on_init_dialog();
        return TRUE;
    case WM_COMMAND:
        // The close box and Escape arrive as Cancel.
        if (LOWORD(wparam) == IDOK) {
            on_ok();
            return TRUE;
        }
        if (LOWORD(wparam) == IDCANCEL) {
            EndDialog(window(), IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

bool PresetNameDialog::renaming() const noexcept { return mode == IDC_OPTIONS_RENAME; }

void PresetNameDialog::on_init_dialog() {
    if (renaming()) {
        sonavel::uSetDlgItemText(window(), IDC_PRESET_NAME_TEXT, options_dialog.selected_preset_name().c_str());
        sonavel::uSetWindowText(window(), "Rename preset");
    } else {
        sonavel::uSetWindowText(window(), "New preset");
    }
}

void PresetNameDialog::on_ok() {
    // Used as typed: no trimming, so a name of spaces is a name.
    const std::string name = sonavel::uGetDlgItemText(window(), IDC_PRESET_NAME_TEXT);
    if (name.empty()) return refuse("Please, enter a preset name.");
    // Presets are found by their exact bytes; refusing names that differ only in case keeps two presets
    // from being told apart by case alone. A rename to the name it has is refused too.
    if (options_dialog.preset_name_taken(name)) return refuse("The preset name already exists.");
    if (renaming())
        options_dialog.rename_selected_preset(name);
    else
        options_dialog.add_preset(name);
    EndDialog(window(), IDOK);
}

void PresetNameDialog::refuse(const char* text) const { sonavel::uMessageBox(window(), text, "quennet", MB_OK); }

}  // namespace quennet
