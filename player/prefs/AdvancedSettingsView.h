#pragma once
// The advanced settings page: a tree of the settings (branches open, check boxes and radio buttons as
// state images, text entries as "name: value") and under it an edit field for the selected text entry.
// Mouse: a click on a box switches it, as does a double click on its name; a double click on a text entry
// moves to its value. Keyboard: Space switches the selected box, F2 or Tab moves to the edit field. Edits go to the model only. Main thread.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <vector>

#include "player/prefs/AdvancedSettingsTree.h"
#include "sdk/win/unique_handle.h"

namespace player {

class AdvancedSettingsView {
public:
    enum control_id : int { id_tree = 1201, id_value_label = 1202, id_value = 1203 };

    // The controls are children of `parent` with `font`, which must outlive them.
    AdvancedSettingsView(HWND parent, HFONT font, AdvancedSettingsTree& model);
    AdvancedSettingsView(const AdvancedSettingsView&) = delete;
    AdvancedSettingsView& operator=(const AdvancedSettingsView&) = delete;

    HWND tree() const noexcept { return tree_.get(); }
    HWND value() const noexcept { return value_.get(); }
    // Lays the controls out in `area` of the parent's client area.
    void place(const RECT& area);
    // Shows the model's values again (after it applied or reset them).
    void refresh();
    // The parent passes on its WM_NOTIFY and WM_COMMAND; a handled notification gives its result.
    std::optional<LRESULT> on_notify(const NMHDR& header);
    void on_command(int id, int code);
    // Selects the node's item; edit_value() then puts the keyboard in its value with the text selected.
    void select(std::size_t node);
    void edit_value();
    // The tree item of a node, for tests and keyboard placement.
    HTREEITEM item_of(std::size_t node) const { return items_.at(node); }
    // Called whenever the user changed a value.
    std::function<void()> on_edited;

private:
    void insert(const std::vector<std::size_t>& nodes, HTREEITEM parent);
    void show_node(std::size_t node);
    std::optional<std::size_t> selected_node() const;
    std::optional<std::size_t> node_of(HTREEITEM item) const;
    void toggle(std::size_t node);
    void select_changed();
    void value_changed();
    bool click_on_box(bool anywhere_on_item);
    std::optional<LRESULT> on_key(WORD key);

    AdvancedSettingsTree& model_;
    std::vector<HTREEITEM> items_;
    // Set while the edit field is filled to match the selection: not the user's typing.
    bool syncing_ = false;
    // Declared before the tree: the tree does not own the images, and goes first.
    sonavel::unique_himagelist states_;
    sonavel::unique_hwnd tree_;
    sonavel::unique_hwnd value_label_;
    sonavel::unique_hwnd value_;
};

}  // namespace player
