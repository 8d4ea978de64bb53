#pragma once
// The Options dialog of one panel: edits copies of the panel's current preset record and preset list, and
// hands both back to the panel only when the user presses OK. Modal, on the caller's stack, run over the
// panel's window with create(IDD_OPTIONS, ...); the caller refills the panel after OK. Main thread.
#include <string>
#include <vector>

#include "presets/PresetFields.h"
#include "presets/Options.h"
#include "ui/Dialog.h"

namespace quennet {

class VarnelPanel;

class OptionsDialog final : public Dialog {
public:
    // The panel outlives the dialog.
    explicit OptionsDialog(VarnelPanel& panel) : Dialog(/*modal=*/true), panel(panel) {}

    INT_PTR dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;

    // For the preset-name dialog, while this dialog's window exists.
    // The name of the selected preset; empty when none is selected.
    std::string selected_preset_name() const;
    // Whether a preset is named `name`, letters compared without regard to case.
    bool preset_name_taken(const std::string& name) const;
    // Creates a preset named `name` from the controls and shows it.
    void add_preset(const std::string& name);
    // Removes the selected preset; with `reselect`, selects the entry now at its place (or the last) and
    // shows it. False when no preset is selected.
    bool delete_selected_preset(bool reselect);
    // The selected preset under a new name, with the controls' values and its own fonts and colours; false
    // when no preset is selected.
    bool rename_selected_preset(const std::string& name);

private:
    void on_init_dialog();
    // True when the command was handled.
    bool on_command(WORD id, WORD code);
    void on_ok();
    void on_delete();
    void run_preset_name_dialog(int mode);

    PresetFields read_fields() const;
    void show_fields(const PresetFields& fields);
    void read_controls(Options& options) const;
    void fill_controls();
    void update_enabled_controls();
    void switch_preset();
    void check_field_change();
    // Selects the entry named exactly `name`; the selection stays when there is none.
    void select_preset_entry(const std::string& name);
    // Lists `preset` in the combo box and the preset list, then shows it.
    void add_preset_entry(Options preset);

    HWND item(int id) const { return GetDlgItem(window(), id); }
    bool checked(int id) const;
    void set_checked(int id, bool on);
    void enable(int id, bool on);

    VarnelPanel& panel;
    // The record the controls show; its name tells which preset they belong to.
    Options working;
    // The working copy of the panel's presets.
    std::vector<Options> preset_list;
};

}  // namespace quennet
