#include "panel/window/PanelMenu.h"

#include <windows.h>

#include "integration/TagWithSameValue.h"
#include "panel/model/FillEvent.h"
#include "panel/model/LibraryValueMenu.h"
#include "panel/window/LibraryValueCommands.h"
#include "panel/model/PanelMenuItems.h"
#include "panel/model/ValueList.h"
#include "panel/window/VarnelPanel.h"
#include "presets/OptionsDialog.h"
#include "resources/resource.h"
#include "sdk/core_api.h"
#include "sdk/win/unique_handle.h"
#include "sdk/win/uwin.h"
#include "ui/HelpFile.h"
#include "ui/PanelPropertiesDialog.h"
#include "ui/PopupPanel.h"

namespace quennet {

namespace {

HWND main_window() { return static_cast<HWND>(sonavel::core()->get_main_window()); }

// The preset's switches stay with the preset it came from, and so with the panel's configuration.
void store_preset(VarnelPanel& panel) { update_preset(panel.presets(), panel.current()); }

void toggle_scan_library(VarnelPanel& panel, PanelModel& model) {
    Options& preset = panel.current();
    preset.scan_library = !preset.scan_library;
    if (preset.scan_library) preset.filter_on_focused_tags = false;
    store_preset(panel);
    if (preset.scan_library) {
        model.request_fill(library_scan_enabled);
        panel.apply_appearance(false);
    }
    panel.update_library_registration();
}

void toggle_focused_filter(VarnelPanel& panel, PanelModel& model) {
    Options& preset = panel.current();
    preset.filter_on_focused_tags = !preset.filter_on_focused_tags;
    if (preset.filter_on_focused_tags) preset.scan_library = false;
    panel.update_library_registration();
    store_preset(panel);
    if (preset.filter_on_focused_tags) {
        model.request_fill(focused_filter_enabled);
        panel.apply_appearance(false);
    }
}

void toggle_sort(VarnelPanel& panel, PanelModel& model) {
    Options& preset = panel.current();
    preset.sort_list = !preset.sort_list;
    store_preset(panel);
    // Switched off, the rows keep their order until the next fill.
    if (preset.sort_list) {
        model.request_fill(sort_enabled);
        panel.apply_appearance(false);
    }
}

}  // namespace

void show_panel_menu(VarnelPanel& panel) {
    PanelModel* model = panel.model();
    if (!model || model->busy()) return;
    PanelMenuState state;
    state.pending = model->has_pending_edits();
    state.tracks_selected = active_playlist_has_selection();
    state.in_popup_window = panel.in_popup_window();

    sonavel::unique_hmenu menu(CreatePopupMenu());
    if (!menu) return;
    for (const PanelMenuItem& item : panel_menu_items(panel.current(), panel.presets(), state)) {
        if (item.id == command_none) {
            sonavel::uAppendMenu(menu.get(), MF_SEPARATOR, 0, "");
            continue;
        }
        const UINT flags = MF_STRING | (item.checked ? MF_CHECKED : 0u) | (item.greyed ? MF_GRAYED : 0u);
        sonavel::uAppendMenu(menu.get(), flags, item.id, item.text.c_str());
    }
    // The library-wide commands follow the panel's own items, which keep their places.
    std::string value;
    if (!state.pending) {
        value = value_under_menu(model->values().list());
        append_library_values_menu(menu.get(), value);
    }
    // The cursor, not the message's point: a menu asked for from the keyboard opens there too.
    POINT at{};
    GetCursorPos(&at);
    const auto chosen = unsigned(TrackPopupMenu(menu.get(), TPM_NONOTIFY | TPM_RETURNCMD, at.x, at.y, 0,
                                                panel.Dialog::window(), nullptr));
    if (is_library_value_command(chosen))
        run_library_value_command(panel, chosen, value);
    else
        run_panel_command(panel, chosen);
}

void run_panel_command(VarnelPanel& panel, unsigned id) {
    PanelModel* model = panel.model();
    if (!model) return;
    switch (id) {
    case command_none:
        return;
    case command_apply:
        model->commit_if_pending(nullptr, std::string());
        return;
    case command_revert:
        model->rebuild_now();
        return;
    case command_options:
        if (OptionsDialog(panel).create(IDD_OPTIONS, panel.Dialog::window())) {
            // The dialog's loop may have seen the panel's window closed: the model went with it.
            if (PanelModel* still = panel.model()) still->request_fill(options_edited);
            panel.apply_appearance(true);
            panel.update_library_registration();
        }
        return;
    case command_scan_library:
        toggle_scan_library(panel, *model);
        return;
    case command_filter_on_focused_tags:
        toggle_focused_filter(panel, *model);
        return;
    case command_tag_with_same_value:
        // Nothing while the panel is busy; the process gives the panel back when it ends.
        start_tag_with_same_value(*model);
        return;
    case command_sort_list:
        toggle_sort(panel, *model);
        return;
    case command_synchronize:
        model->request_fill(synchronize);
        return;
    case command_refresh:
        model->request_fill(refresh);
        return;
    case command_window_properties:
        if (auto* popup = dynamic_cast<PopupPanel*>(panel.hosting_popup())) {
            // The popup window stays usable while the dialog runs: closing it must not free what the
            // dialog edits, nor this panel, whose menu is still on the stack.
            popup_windows.pin(*popup);
            PanelPropertiesDialog(*popup).create(IDD_PANEL_PROPERTIES, main_window());
            popup_windows.unpin(*popup);
        }
        return;
    case command_help:
        open_help_file();
        return;
    default:
        break;
    }
    if (id >= command_first_preset) {
        const std::vector<std::string> names = sorted_preset_names(panel.presets());
        const std::size_t index = id - command_first_preset;
        if (index < names.size()) model->choose_preset(names[index]);
    }
}

}  // namespace quennet
