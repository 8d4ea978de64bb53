#include "ui/PanelPropertiesDialog.h"

#include "resources/resource.h"
#include "sdk/win/uwin.h"
#include "ui/PopupPanelBase.h"

namespace quennet {

INT_PTR PanelPropertiesDialog::dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        initialise(window);
        break;
    case WM_COMMAND:
        // The close box and Escape arrive as Cancel.
        if (wparam == IDOK) {
            apply(window);
            EndDialog(window, IDOK);
        } else if (wparam == IDCANCEL) {
            EndDialog(window, IDCANCEL);
        }
        break;
    default:
        break;
    }
    return 0;
}

void PanelPropertiesDialog::initialise(HWND window) {
    sonavel::uSetWindowText(window, (popup_.display_title() + " properties").c_str());
    sonavel::uSetDlgItemText(window, IDC_PANEL_PROPERTIES_NAME, popup_.config().name.c_str());
    CheckDlgButton(window, IDC_PANEL_PROPERTIES_PERSISTENT, popup_.config().persistent ? BST_CHECKED : BST_UNCHECKED);
}

void PanelPropertiesDialog::apply(HWND window) {
    PopupConfig& config = popup_.config();
    config.name = sonavel::uGetDlgItemText(window, IDC_PANEL_PROPERTIES_NAME);
    config.persistent = IsDlgButtonChecked(window, IDC_PANEL_PROPERTIES_PERSISTENT) == BST_CHECKED;
    popup_.update_title();
    popup_.apply_styles();
}

}  // namespace quennet
