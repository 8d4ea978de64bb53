#include "panel/window/LibraryValueCommands.h"

#include <commctrl.h>

#include "panel/model/LibraryValueMenu.h"
#include "panel/model/LibraryValueUpdate.h"
#include "panel/model/ValueList.h"
#include "panel/window/LibraryValueDialog.h"
#include "panel/window/SimilarValuesDialog.h"
#include "panel/window/VarnelPanel.h"
#include "resources/library_values_ids.h"
#include "sdk/library.h"
#include "sdk/core_api.h"
#include "sdk/win/unique_handle.h"
#include "sdk/win/uwin.h"

namespace quennet {
namespace {

sonavel::metadb_handle_list library_tracks() {
    return sonavel::standard_api_create_t<sonavel::library_service>()->get_all_items();
}

// The preview, then the write; nothing when the dialog is cancelled.
void change_with_preview(VarnelPanel& panel, LibraryValueChange change) {
    LibraryValueDialog dialog(std::move(change), library_tracks());
    if (!dialog.create(IDD_LIBRARY_VALUE, panel.Dialog::window())) return;
    // The dialog's loop may have seen the panel's window closed: the model went with it.
    if (PanelModel* model = panel.model()) start_library_value_change(*model, dialog.change(), dialog.take_plan());
}

}  // namespace

std::string value_under_menu(HWND list) {
    if (!list) return std::string();
    LVHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    ScreenToClient(list, &hit.pt);
    int row = int(SendMessageW(list, LVM_HITTEST, 0, LPARAM(&hit)));
    if (row < 0 || !(hit.flags & LVHT_ONITEM)) row = int(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    return row < 0 ? std::string() : list_item_text(list, row);
}

void append_library_values_menu(HMENU menu, const std::string& value) {
    sonavel::unique_hmenu submenu(CreatePopupMenu());
    if (!submenu) return;
    for (const PanelMenuItem& item : library_value_items(value)) {
        if (item.id == command_none)
            sonavel::uAppendMenu(submenu.get(), MF_SEPARATOR, 0, "");
        else
            sonavel::uAppendMenu(submenu.get(), MF_STRING, item.id, item.text.c_str());
    }
    sonavel::uAppendMenu(menu, MF_SEPARATOR, 0, "");
    // Appended, the submenu belongs to the menu and goes with it.
    if (sonavel::uAppendMenu(menu, MF_POPUP, UINT_PTR(submenu.get()), "Library values")) submenu.release();
}

void run_library_value_command(VarnelPanel& panel, unsigned id, const std::string& value) {
    PanelModel* model = panel.model();
    if (!model || model->busy()) return;
    const std::string& field = panel.current().metadata_field;
    switch (id) {
    case command_library_rename:
        change_with_preview(panel, {ValueChangeKind::rename, field, value, value, {}, {}});
        return;
    case command_library_remove:
        change_with_preview(panel, {ValueChangeKind::remove, field, value, {}, {}, {}});
        return;
    case command_library_split:
        change_with_preview(panel, {ValueChangeKind::split, field, value, {}, default_separators(), {}});
        return;
    case command_find_similar: {
        SimilarValuesDialog similar(field, library_tracks());
        if (!similar.create(IDD_SIMILAR_VALUES, panel.Dialog::window())) return;
        change_with_preview(panel, similar.merge());
        return;
    }
    default:
        return;
    }
}

}  // namespace quennet
