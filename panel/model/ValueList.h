#pragma once
// The value list of one panel: a list view whose rows are the preset's values with a three-state check
// box each (no, all or some selected tracks have the value), a filter edit box that narrows the rows and an
// add edit box for new values. Clicks on a check box are the edits; Apply reads them with edits(). Main
// thread only. The panel routes the list view's notifications to the handlers below.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "presets/Options.h"
#include "sdk/metadb.h"
#include "sdk/win/unique_handle.h"

namespace quennet {

// What the value list needs of its panel. Implemented by the panel; called on the main thread.
class ValueListOwner {
public:
    virtual Options& current_options() = 0;
    // An update of tags runs: the rows stay as they are and clicks change nothing.
    virtual bool busy() = 0;
    virtual bool fill_running() = 0;
    // Enables or disables the panel's edit boxes as its state says.
    virtual void update_controls() = 0;
    // The pending edits changed: begun, grown, written or discarded.
    virtual void pending_changed() {}

protected:
    ~ValueListOwner() = default;
};

struct ValueListControls {
    HWND list = nullptr;
    HWND filter_edit = nullptr;
    HWND add_edit = nullptr;

    // The controls with the value list's ids among the children of `parent`.
    static ValueListControls of(HWND parent);
};

// A row whose check state the user changed: the value and its new state image index.
struct ValueEdit {
    std::string value;
    std::uint32_t state = 0;

    bool operator==(const ValueEdit& o) const { return value == o.value && state == o.state; }
};

// Whether the active playlist has a selected track; stops at the first one.
bool active_playlist_has_selection();
// The text of row `row` of a list view, whatever its length.
std::string list_item_text(HWND list, int row);

class ValueList {
public:
    // Gives the list view check boxes with our three state images, loaded from `module`'s bitmaps.
    // Throws std::runtime_error when the bitmap or the image list cannot be made.
    ValueList(ValueListOwner& owner, HINSTANCE module, const ValueListControls& controls);
    ~ValueList();
    ValueList(const ValueList&) = delete;
    ValueList& operator=(const ValueList&) = delete;

    // Rows and their states anew from the working preset and the active playlist's selection; forgets
    // the edits. Nothing while busy.
    void rebuild_now();
    // The check images and the column width anew for the list's font and display scaling: after every
    // change of either. Throws like the constructor.
    void fit_to_display();

    // true: the edits apply to the tracks selected now (taken at the first edit only); false: no edits
    // are pending any more.
    void set_pending(bool pending);

    // LVN_ITEMCHANGING: true when the change must be refused.
    bool on_item_changing(const NMLISTVIEW& change);
    // LVN_ITEMCHANGED.
    void on_item_changed(const NMLISTVIEW& change);
    // NM_CLICK.
    void on_click(const NMITEMACTIVATE& click);

    // The edit boxes' texts, without their placeholders: a placeholder is never a value nor a filter.
    std::string filter_text() const;
    std::string add_text() const;
    // The add box's text as values: split at ";", trimmed, empty pieces dropped.
    std::vector<std::string> typed_values() const;
    // Rows whose state image differs from the one the last rebuild gave them, in row order.
    std::vector<ValueEdit> edits() const;
    // The row's check state differs from the one the last rebuild gave it.
    bool row_edited(int row) const;
    // What Apply would write: the edited rows and the typed values; 0 while nothing is pending.
    std::size_t pending_changes() const;
    // The placeholder back in an edit box, unless the box has the keyboard focus: the user is typing
    // there, and the placeholder would become part of the text. The box then stays empty; it gets its
    // placeholder when the focus leaves it.
    void reset_add_text();
    void reset_filter_text();

    // Set while the value list writes an edit box's text, so that the panel can tell that EN_CHANGE
    // from the user's typing.
    bool add_text_guard() const noexcept { return add_text_guard_; }
    bool filter_text_guard() const noexcept { return filter_text_guard_; }
    void set_filter_text(const std::string& text);
    void set_add_text(const std::string& text);

    std::uint32_t selection_count() const noexcept { return selection_count_; }
    const std::vector<std::uint32_t>& initial_states() const noexcept { return initial_states_; }
    const sonavel::metadb_handle_list& pending_tracks() const noexcept { return pending_tracks_; }
    bool update_running() const noexcept { return update_running_; }
    bool click_armed() const noexcept { return click_armed_; }
    HWND list() const noexcept { return controls_.list; }

private:
    void fill_rows();
    void fit_state_images();
    // As wide as the widest value with its check box: the list view keeps a width once given. Without
    // `remeasure`, only when the font or the number of values changed since the last measure.
    void fit_column(bool remeasure);
    bool rows_match(const std::vector<std::string>& tags) const;
    void append_row(const std::string& value);
    std::string row_text(int row) const;
    int row_count() const;
    std::uint32_t row_state_bits(int row) const;
    void set_row_state(int row, std::uint32_t index);
    // A state the value list itself gives a row: allowed whatever the selection, the arm and busy say.
    void set_own_row_state(int row, std::uint32_t index);

    ValueListOwner& owner_;
    ValueListControls controls_;
    HINSTANCE module_;
    int state_image_width_ = 0;
    HFONT measured_font_ = nullptr;
    std::size_t measured_count_ = 0;
    // Only while the list view shares its image lists (LVS_SHAREIMAGELISTS); otherwise the list view
    // destroys ours itself.
    sonavel::unique_himagelist shared_images_;

    std::vector<std::uint32_t> initial_states_;
    std::uint32_t selection_count_ = 0;
    sonavel::metadb_handle_list pending_tracks_;
    bool update_running_ = false;
    bool click_armed_ = false;
    bool own_change_ = false;
    bool add_text_guard_ = false;
    bool filter_text_guard_ = false;
};

}  // namespace quennet
