#pragma once
// Asks for the name of a new preset, or a new name for the selected one, in the Options dialog. Refuses an
// empty name and one the Options dialog lists already (letters compared without regard to case), and then
// lets the Options dialog create or rename the preset; nothing reaches the panel before the Options
// dialog's OK. Modal, on the caller's stack, over the Options dialog's window. Main thread.
#include "ui/Dialog.h"

namespace quennet {

class OptionsDialog;

class PresetNameDialog final : public Dialog {
public:
    // `mode` is the id of the Options dialog's button that opened it: IDC_OPTIONS_NEW or IDC_OPTIONS_RENAME.
    PresetNameDialog(OptionsDialog& options_dialog, int mode) noexcept
        : Dialog(/*modal=*/true), options_dialog(options_dialog), mode(mode) {}

    INT_PTR dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void on_init_dialog();
    void on_ok();
    bool renaming() const noexcept;
    // A message the user has to acknowledge before correcting the name.
    void refuse(const char* text) const;

    OptionsDialog& options_dialog;
    int mode;
};

}  // namespace quennet
