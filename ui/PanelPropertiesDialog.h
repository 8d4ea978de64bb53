#pragma once
// The name and persistence of a popup window, edited from its panel's menu. Modal, on the caller's
// stack; OK applies the changes to the popup at once, Cancel changes nothing. Main thread.
#include "ui/Dialog.h"

namespace quennet {

class PopupPanelBase;

class PanelPropertiesDialog final : public Dialog {
public:
    // The popup window outlives the dialog.
    explicit PanelPropertiesDialog(PopupPanelBase& popup) noexcept : Dialog(/*modal=*/true), popup_(popup) {}

    INT_PTR dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void initialise(HWND window);
    void apply(HWND window);

    PopupPanelBase& popup_;
};

}  // namespace quennet
