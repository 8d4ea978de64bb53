#include "panel/model/ValueList.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "panel/model/CheckStates.h"
#include "presets/TypedValues.h"
#include "panel/model/StateImages.h"
#include "sdk/core_api.h"
#include "sdk/playlist.h"
#include "sdk/utf8.h"
#include "sdk/win/dpi.h"
#include "sdk/win/uwin.h"

namespace quennet {

static_assert(state_image_mask == LVIS_STATEIMAGEMASK);
static_assert(state_image_bits(in_some_tracks) == INDEXTOSTATEIMAGEMASK(3));

namespace {

// Restores a flag however the scope ends: a flag left set would freeze the list for good.
class flag_scope {
public:
    explicit flag_scope(bool& flag) noexcept : flag_(flag) { flag_ = true; }
    ~flag_scope() { flag_ = false; }
    flag_scope(const flag_scope&) = delete;
    flag_scope& operator=(const flag_scope&) = delete;

private:
    bool& flag_;
};

// Wine repaints the list after every insertion otherwise.
class redraw_off {
public:
    explicit redraw_off(HWND window) noexcept : window_(window) { SendMessageW(window_, WM_SETREDRAW, FALSE, 0); }
    ~redraw_off() {
        SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window_, nullptr, TRUE);
    }
    redraw_off(const redraw_off&) = delete;
    redraw_off& operator=(const redraw_off&) = delete;

private:
    HWND window_;
};

sonavel::metadb_handle_list selected_tracks() {
    auto playlists = sonavel::standard_api_create_t<sonavel::playlist_service>();
    const std::size_t active = playlists->get_active_playlist();
    if (active == sonavel::no_item) return {};
    return playlists->get_selected_items(active);
}

}  // namespace

// Asked on every change the list view proposes: stops at the first selected track instead of copying the
// whole selection.
bool active_playlist_has_selection() {
    auto playlists = sonavel::standard_api_create_t<sonavel::playlist_service>();
    const std::size_t active = playlists->get_active_playlist();
    if (active == sonavel::no_item) return false;
    bool found = false;
    playlists->enum_items(active, sonavel::bit_array_true(),
                          [&](std::size_t, const sonavel::metadb_handle_ptr&, bool selected) {
                              found = selected;
                              return !selected;
                          });
    return found;
}

std::string list_item_text(HWND list, int row) {
    std::wstring text(128, L'\0');
    for (;;) {
        LVITEMW item{};
        item.pszText = text.data();
        item.cchTextMax = int(text.size());
        const auto copied =
            std::size_t(SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item)));
        // A full buffer may hold a cut text.
        if (copied + 1 < text.size()) {
            text.resize(copied);
            return sonavel::wide_to_utf8(text);
        }
        text.resize(text.size() * 2);
    }
}

namespace {

std::uint32_t count_of(const Options& options, const std::string& value) {
    auto found = options.value_counts.find(value);
    return found == options.value_counts.end() ? 0 : found->second;
}

// The edit's text with every copy of its placeholder taken out: text typed next to a placeholder that
// was left in the box is what the user meant, the placeholder is not.
std::string text_without(HWND edit, std::string_view placeholder) {
    std::string text = sonavel::uGetWindowText(edit);
    for (std::size_t at; (at = text.find(placeholder)) != std::string::npos;) text.erase(at, placeholder.size());
    return text;
}

// The text to put back into an edit box: its placeholder, or nothing while the user is in the box.
std::string resting_text(HWND edit, std::string_view placeholder) {
    return GetFocus() == edit ? std::string() : std::string(placeholder);
}

}  // namespace

ValueListControls ValueListControls::of(HWND parent) {
    return {GetDlgItem(parent, value_list_id), GetDlgItem(parent, filter_edit_id), GetDlgItem(parent, add_edit_id)};
}

ValueList::ValueList(ValueListOwner& owner, HINSTANCE module, const ValueListControls& controls)
    : owner_(owner), controls_(controls), module_(module) {
    if (!controls_.list || !controls_.filter_edit || !controls_.add_edit)
        throw std::invalid_argument("the value list needs its list view and both edit boxes");
    // Check boxes first: turning them on makes the control build its own state images, which ours replace.
    SendMessageW(controls_.list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    fit_state_images();
}

void ValueList::fit_to_display() {
    fit_state_images();
    fit_column(true);
}

void ValueList::fit_state_images() {
    const unsigned dpi = sonavel::window_dpi(controls_.list);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(controls_.list, WM_GETFONT, 0, 0));
    const StateImageSize size = state_image_size(sonavel::system_metric_for_dpi(SM_CXSMICON, dpi),
                                                 sonavel::line_height(controls_.list, font));
    sonavel::unique_himagelist images = make_state_images(module_, size);
    const bool shares = (GetWindowLongPtrW(controls_.list, GWL_STYLE) & LVS_SHAREIMAGELISTS) != 0;
    // The list the control gives back is no longer held by it.
    sonavel::unique_himagelist replaced(reinterpret_cast<HIMAGELIST>(
        SendMessageW(controls_.list, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(images.get()))));
    if (replaced.get() == images.get() || replaced.get() == shared_images_.get()) replaced.release();
    if (shares)
        shared_images_ = std::move(images);
    else
        images.release();
    state_image_width_ = size.width;
}

void ValueList::fit_column(bool remeasure) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(controls_.list, WM_GETFONT, 0, 0));
    const std::vector<std::string>& tags = owner_.current_options().tags;
    // Typing in the filter box rebuilds the rows over the same values: measure them once.
    if (!remeasure && font == measured_font_ && tags.size() == measured_count_) return;
    int widest = 0;
    {
        sonavel::font_dc dc(controls_.list, font);
        for (const std::string& value : tags) {
            const std::wstring text = sonavel::utf8_to_wide(value);
            widest = std::max(widest, dc.text_width(text.c_str(), int(text.size())));
        }
    }
    measured_font_ = font;
    measured_count_ = tags.size();
    // Room for the label's own padding on both sides.
    const int padding = sonavel::scale_to_dpi(12, sonavel::window_dpi(controls_.list));
    SendMessageW(controls_.list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(state_image_width_ + widest + padding, 0));
}

ValueList::~ValueList() {
    // A list view that shares its image lists must not draw with ours once it is gone.
    if (shared_images_ && IsWindow(controls_.list))
        SendMessageW(controls_.list, LVM_SETIMAGELIST, LVSIL_STATE, 0);
}

void ValueList::rebuild_now() {
    if (owner_.busy()) return;
    flag_scope updating(update_running_);
    selection_count_ = std::uint32_t(selected_tracks().size());
    fill_rows();

    const Options& options = owner_.current_options();
    const int rows = row_count();
    for (int row = 0; row < rows; ++row)
        set_own_row_state(row, value_state(count_of(options, row_text(row)), selection_count_));
    initial_states_.clear();
    initial_states_.reserve(std::size_t(rows));
    for (int row = 0; row < rows; ++row) initial_states_.push_back(row_state_bits(row));

    pending_tracks_.clear();
    reset_add_text();
    owner_.update_controls();
    // Rows whose state came back unchanged still drew as edited.
    InvalidateRect(controls_.list, nullptr, FALSE);
    owner_.pending_changed();
}

void ValueList::fill_rows() {
    const Options& options = owner_.current_options();
    const std::string filter = filter_text();
    // Deleting and inserting the same rows again would make the list flicker on every fill.
    if (filter.empty() && rows_match(options.tags)) return;

    redraw_off quiet(controls_.list);
    SendMessageW(controls_.list, LVM_DELETEALLITEMS, 0, 0);
    for (const std::string& value : options.tags) {
        if (value.empty()) continue;
        if (filter_admits(filter, value, value_state(count_of(options, value), selection_count_))) append_row(value);
    }
    fit_column(false);
}

bool ValueList::rows_match(const std::vector<std::string>& tags) const {
    if (std::size_t(row_count()) != tags.size()) return false;
    for (std::size_t row = 0; row < tags.size(); ++row) {
        if (row_text(int(row)) != tags[row]) return false;
    }
    return true;
}

void ValueList::append_row(const std::string& value) {
    std::wstring text = sonavel::utf8_to_wide(value);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row_count();
    item.pszText = text.data();
    SendMessageW(controls_.list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int ValueList::row_count() const { return int(SendMessageW(controls_.list, LVM_GETITEMCOUNT, 0, 0)); }

std::string ValueList::row_text(int row) const { return list_item_text(controls_.list, row); }

std::uint32_t ValueList::row_state_bits(int row) const {
    return std::uint32_t(SendMessageW(controls_.list, LVM_GETITEMSTATE, WPARAM(row), LVIS_STATEIMAGEMASK));
}

void ValueList::set_row_state(int row, std::uint32_t index) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = state_image_bits(index);
    SendMessageW(controls_.list, LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&item));
}

void ValueList::set_own_row_state(int row, std::uint32_t index) {
    // Not an arm: the user's arm needs a selection, and the rows must show "none" when nothing is selected.
    flag_scope own(own_change_);
    set_row_state(row, index);
}

void ValueList::reset_add_text() { set_add_text(resting_text(controls_.add_edit, add_values_placeholder)); }

void ValueList::reset_filter_text() {
    set_filter_text(resting_text(controls_.filter_edit, filter_values_placeholder));
}

void ValueList::set_add_text(const std::string& text) {
    flag_scope guard(add_text_guard_);
    sonavel::uSetWindowText(controls_.add_edit, text.c_str());
}

void ValueList::set_filter_text(const std::string& text) {
    flag_scope guard(filter_text_guard_);
    sonavel::uSetWindowText(controls_.filter_edit, text.c_str());
}

void ValueList::set_pending(bool pending) {
    if (pending) {
        if (pending_tracks_.empty()) pending_tracks_ = selected_tracks();
    } else {
        pending_tracks_.clear();
        reset_add_text();
    }
    owner_.update_controls();
    owner_.pending_changed();
}

bool ValueList::on_item_changing(const NMLISTVIEW& change) {
    if (!(change.uChanged & LVIF_STATE)) return false;
    if (own_change_) return (change.uNewState & LVIS_SELECTED) != 0;
    const bool anything_selected = active_playlist_has_selection();
    const bool armed = std::exchange(click_armed_, false);
    return refuse_state_change(change.uOldState, change.uNewState, (change.uNewState & LVIS_SELECTED) != 0, armed,
                               anything_selected, owner_.busy());
}

void ValueList::on_item_changed(const NMLISTVIEW& change) {
    if (owner_.fill_running() || update_running_) return;
    if (!(change.uChanged & LVIF_STATE)) return;
    const std::uint32_t old_index = state_image_index(change.uOldState);
    if (old_index == state_image_index(change.uNewState)) return;
    // "Some" is a state only the tracks can give a row: a click on "all" goes on to "none".
    if (old_index == in_all_tracks && change.iItem >= 0) set_own_row_state(change.iItem, in_no_track);
    set_pending(true);
}

void ValueList::on_click(const NMITEMACTIVATE& click) {
    LVHITTESTINFO hit{};
    hit.pt = click.ptAction;
    const int row = int(SendMessageW(controls_.list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row < 0 || !(hit.flags & LVHT_ONITEMSTATEICON)) return;
    // The control's own proposal differs by platform (wine's toggles only between "none" and "all" and leaves
    // "some" alone; Windows' wraps), so the change is made here, armed, and the proposal, unarmed, is refused.
    // Other clicks arm nothing: an arm left over from a label click would let the control's next proposal
    // through, before or after our own step depending on the platform's order of notifications.
    click_armed_ = true;
    set_row_state(row, state_image_index(row_state_bits(row)) % in_some_tracks + 1);
    // Some list views leave the keyboard focus where it was on a check-box click: the Enter that follows
    // a tick must reach the list, where it applies, not the window that had the focus before.
    if (GetFocus() != controls_.list) SetFocus(controls_.list);
}

std::string ValueList::filter_text() const { return text_without(controls_.filter_edit, filter_values_placeholder); }

std::string ValueList::add_text() const { return text_without(controls_.add_edit, add_values_placeholder); }

std::vector<std::string> ValueList::typed_values() const { return quennet::typed_values(add_text(), ';'); }

bool ValueList::row_edited(int row) const {
    if (row < 0 || std::size_t(row) >= initial_states_.size()) return false;
    return row_state_bits(row) != initial_states_[std::size_t(row)];
}

std::size_t ValueList::pending_changes() const {
    if (pending_tracks_.empty()) return 0;
    std::size_t changes = typed_values().size();
    for (int row = 0, rows = int(initial_states_.size()); row < rows; ++row) changes += row_edited(row) ? 1 : 0;
    return changes;
}

std::vector<ValueEdit> ValueList::edits() const {
    std::vector<ValueEdit> changed;
    const int rows = std::min(row_count(), int(initial_states_.size()));
    for (int row = 0; row < rows; ++row) {
        const std::uint32_t bits = row_state_bits(row);
        if (bits != initial_states_[std::size_t(row)]) changed.push_back({row_text(row), state_image_index(bits)});
    }
    return changed;
}

}  // namespace quennet
