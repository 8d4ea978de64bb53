// The value list in a real list view on the stand-in host: rows and check states from the selected tracks'
// values, the filter box, mouse clicks and keys on the rows, rebuilding, the add box and the edits Apply reads.
#include "panel/model/ValueList.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "panel/model/CheckStates.h"
#include "panel/model/PanelFiller.h"
#include "player/win/WinHost.h"
#include "sdk/utf8.h"
#include "sdk/win/unique_handle.h"
#include "sdk/win/uwin.h"
#include "tests/harness/keyboard.h"
#include "tests/harness/list_view.h"
#include "tests/harness/message_box.h"
#include "tests/harness/pump.h"
#include "tests/panel/controls_window.h"

namespace {

using quennet::ValueEdit;

struct Notice {
    UINT code = 0;
    int item = -1;
    UINT old_state = 0;
    UINT new_state = 0;
    bool refused = false;
};

// A plain parent window holding the value list's three controls, routing the list view's notifications to
// the value list the way the panel will, and the fill's requests too: the real wiring, minus the dialog.
class TestPanel final : public quennet::FillTarget, public quennet::ValueListOwner {
public:
    explicit TestPanel(DWORD extra_list_style = 0)
        : window_(L"Value list", RECT{40, 40, 460, 460}, extra_list_style),
          filter(window_.filter),
          add(window_.add),
          list(window_.list) {
        window_.on_message = [this](UINT message, WPARAM wparam, LPARAM lparam) { return handle(message, wparam, lparam); };
        values = std::make_unique<quennet::ValueList>(*this, GetModuleHandleW(nullptr),
                                                      quennet::ValueListControls::of(window_.hwnd()));
        options.metadata_field = "GENRE";
        harness::pump_pending();
    }

    quennet::Options& current_options() override { return options; }
    std::vector<quennet::Options>& preset_list() override { return presets; }
    void update_controls() override { ++controls_updates; }
    void rebuild_now() override { values->rebuild_now(); }
    bool busy() override { return is_busy; }
    bool fill_running() override { return filler.running() || pretend_filling; }

    int count(UINT code) const {
        return int(std::count_if(notices.begin(), notices.end(), [&](const Notice& n) { return n.code == code; }));
    }
    // LVN_ITEMCHANGING notices that proposed to change the row's state image.
    std::vector<Notice> image_proposals(int item) const {
        return changing(item, [](const Notice& n) { return ((n.old_state ^ n.new_state) & LVIS_STATEIMAGEMASK) != 0; });
    }
    // LVN_ITEMCHANGING notices that proposed to select the row.
    std::vector<Notice> selection_proposals(int item) const {
        return changing(item, [](const Notice& n) { return (n.new_state & ~n.old_state & LVIS_SELECTED) != 0; });
    }

    quennet::Options options;
    std::vector<quennet::Options> presets;
    quennet::PanelFiller filler{*this};
    bool is_busy = false;
    bool pretend_filling = false;
    int controls_updates = 0;
    std::vector<Notice> notices;
    // EN_CHANGE of the edit boxes: was the value list's guard for that box set?
    std::vector<bool> add_changes_guarded;
    std::vector<bool> filter_changes_guarded;

    // Declared before the window: the list view still notifies while the window is destroyed.
    std::unique_ptr<quennet::ValueList> values;

private:
    panel_test::ControlsWindow window_;

public:
    HWND filter;
    HWND add;
    HWND list;
    HWND hwnd() const { return window_.hwnd(); }
    // Exceptions the value list let out inside the window procedure.
    int failures() const { return window_.failures; }

private:
    template <typename Predicate>
    std::vector<Notice> changing(int item, Predicate wanted) const {
        std::vector<Notice> found;
        for (const auto& n : notices)
            if (n.code == LVN_ITEMCHANGING && n.item == item && wanted(n)) found.push_back(n);
        return found;
    }

    std::optional<LRESULT> handle(UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_COMMAND && HIWORD(wparam) == EN_CHANGE && values) {
            if (LOWORD(wparam) == quennet::add_edit_id) add_changes_guarded.push_back(values->add_text_guard());
            if (LOWORD(wparam) == quennet::filter_edit_id) filter_changes_guarded.push_back(values->filter_text_guard());
            return 0;
        }
        if (message != WM_NOTIFY) return std::nullopt;
        const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
        if (header.idFrom != UINT_PTR(quennet::value_list_id)) return std::nullopt;
        Notice notice{header.code};
        if (header.code == LVN_ITEMCHANGING || header.code == LVN_ITEMCHANGED) {
            const auto& change = *reinterpret_cast<const NMLISTVIEW*>(lparam);
            notice.item = change.iItem;
            if (change.uChanged & LVIF_STATE) {
                notice.old_state = change.uOldState;
                notice.new_state = change.uNewState;
            }
        }
        const std::size_t at = notices.size();
        notices.push_back(notice);
        if (!values) return 0;
        switch (header.code) {
        case LVN_ITEMCHANGING: {
            const bool refuse = values->on_item_changing(*reinterpret_cast<const NMLISTVIEW*>(lparam));
            notices[at].refused = refuse;
            return refuse ? TRUE : FALSE;
        }
        case LVN_ITEMCHANGED:
            values->on_item_changed(*reinterpret_cast<const NMLISTVIEW*>(lparam));
            return 0;
        case NM_CLICK:
            values->on_click(*reinterpret_cast<const NMITEMACTIVATE*>(lparam));
            return 0;
        default:
            return 0;
        }
    }
};

class ValueListTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_.register_services();
        host_.engines().start();
        panel_ = std::make_unique<TestPanel>();
        values_ = panel_->values.get();
        list_ = panel_->list;
    }
    void TearDown() override {
        if (panel_) {
            EXPECT_EQ(panel_->failures(), 0) << "the value list threw inside the window procedure";
        }
        panel_.reset();
    }

    player::HostEngines& engines() { return host_.engines(); }

    // A new active playlist of tracks with these genres, the given items selected.
    void playlist(const std::vector<std::vector<std::string>>& genres, const std::vector<std::size_t>& selected) {
        tracks_.clear();
        for (std::size_t i = 0; i < genres.size(); ++i)
            tracks_.push_back(engines().add_track("C:\\Music\\" + std::to_string(i) + ".flac", {{"GENRE", genres[i]}}));
        engines().add_playlist("Test", tracks_);
        engines().select(selected);
    }

    // Rock in all three selected tracks, Pop in one, Jazz known to the preset but in none of them.
    void rock_pop_jazz() {
        panel_->options.add_value("Jazz");
        playlist({{"Rock", "Pop"}, {"Rock"}, {"Rock"}, {"Jazz"}}, {0, 1, 2});
        fill();
    }

    void fill() { panel_->filler.request_fill(quennet::refresh); }

    std::vector<std::wstring> rows() const {
        std::vector<std::wstring> texts;
        for (int i = 0; i < harness::item_count(list_); ++i) texts.push_back(harness::item_text(list_, i));
        return texts;
    }
    std::vector<int> states() const {
        std::vector<int> images;
        for (int i = 0; i < harness::item_count(list_); ++i) images.push_back(harness::state_image(list_, i));
        return images;
    }
    int row_of(const std::wstring& text) const {
        const auto all = rows();
        auto found = std::find(all.begin(), all.end(), text);
        if (found == all.end()) throw std::runtime_error("no row " + sonavel::wide_to_utf8(text));
        return int(found - all.begin());
    }
    void filter_with(const std::string& text) {
        values_->set_filter_text(text);
        values_->rebuild_now();
    }
    void set_row_state(int row, UINT bits, UINT mask) {
        LVITEMW item{};
        item.state = bits;
        item.stateMask = mask;
        SendMessageW(list_, LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    }
    bool pending_are(const std::vector<std::size_t>& items) const {
        const auto& pending = values_->pending_tracks();
        if (pending.size() != items.size()) return false;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (pending[i].get_ptr() != tracks_[items[i]].get_ptr()) return false;
        return true;
    }

    harness::UnexpectedBoxGuard no_boxes_;
    player::WinHost host_;
    sonavel::metadb_handle_list tracks_;
    std::unique_ptr<TestPanel> panel_;
    quennet::ValueList* values_ = nullptr;
    HWND list_ = nullptr;
};

const std::string add_placeholder(quennet::add_values_placeholder);
const std::string filter_placeholder(quennet::filter_values_placeholder);
constexpr std::uint32_t image_bits(std::uint32_t index) { return quennet::state_image_bits(index); }

// Rows and states.

using ValueListRows = ValueListTest;

TEST_F(ValueListRows, EachValueShowsHowManySelectedTracksHaveIt) {
    rock_pop_jazz();
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Jazz", L"Pop", L"Rock"}));
    EXPECT_EQ(states(), (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(values_->selection_count(), 3u);
    EXPECT_EQ(values_->initial_states(), (std::vector<std::uint32_t>{image_bits(1), image_bits(3), image_bits(2)}));
    EXPECT_TRUE(values_->pending_tracks().empty());
    EXPECT_TRUE(values_->edits().empty());
    EXPECT_FALSE(values_->update_running());
}

TEST_F(ValueListRows, ARebuildShowsThePlaceholderInTheAddBoxAndUpdatesTheControls) {
    SetWindowTextW(panel_->add, L"Blues");
    const int updates = panel_->controls_updates;
    rock_pop_jazz();
    EXPECT_EQ(sonavel::uGetWindowText(panel_->add), add_placeholder);
    EXPECT_EQ(values_->add_text(), "");
    EXPECT_GT(panel_->controls_updates, updates);
}

TEST_F(ValueListRows, StatesFollowANewSelectionAtTheNextFill) {
    rock_pop_jazz();
    engines().select({3});
    fill();
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Jazz", L"Pop", L"Rock"}));
    EXPECT_EQ(states(), (std::vector<int>{2, 1, 1}));
    EXPECT_EQ(values_->selection_count(), 1u);
}

TEST_F(ValueListRows, ValuesBeyondAsciiKeepTheirTextAndState) {
    playlist({{"\xC3\x89lectro", "Caf\xC3\xA9"}, {"\xC3\x89lectro"}}, {0, 1});
    fill();
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Caf\u00E9", L"\u00C9lectro"}));
    EXPECT_EQ(states(), (std::vector<int>{3, 2}));
}

TEST_F(ValueListRows, WithNothingSelectedEveryValueShowsAnEmptyBox) {
    panel_->options.add_value("Jazz");
    panel_->options.add_value("Rock");
    playlist({{"Rock"}, {"Jazz"}}, {});
    fill();
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Jazz", L"Rock"}));
    EXPECT_EQ(states(), (std::vector<int>{1, 1}));
    EXPECT_EQ(values_->selection_count(), 0u);
}

class ValueListTicksGo : public ValueListTest {
protected:
    // Pop in one of two selected tracks, Rock in both; then `clear` leaves nothing selected and a fill runs.
    template <typename Clear>
    void expect_empty_boxes_after(Clear clear) {
        playlist({{"Rock"}, {"Rock", "Pop"}}, {0, 1});
        fill();
        ASSERT_EQ(rows(), (std::vector<std::wstring>{L"Pop", L"Rock"}));
        ASSERT_EQ(states(), (std::vector<int>{3, 2}));
        clear();
        fill();
        EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Pop", L"Rock"})) << "the same rows are kept";
        EXPECT_EQ(states(), (std::vector<int>{1, 1}));
        EXPECT_EQ(values_->initial_states(), (std::vector<std::uint32_t>{image_bits(1), image_bits(1)}));
        EXPECT_TRUE(values_->edits().empty());
        // The user's clicks are still refused without a selection.
        harness::click_check_box(list_, row_of(L"Rock"));
        EXPECT_EQ(states(), (std::vector<int>{1, 1}));
        EXPECT_TRUE(values_->pending_tracks().empty());
    }
};

TEST_F(ValueListTicksGo, WhenTheSelectionBecomesEmpty) {
    expect_empty_boxes_after([&] { engines().select({}); });
}

TEST_F(ValueListTicksGo, WhenTheActivePlaylistIsRemoved) {
    expect_empty_boxes_after([&] { engines().playlists.remove_playlist(engines().playlists.get_active_playlist()); });
}

// The filter box.

using ValueListFilter = ValueListTest;

TEST_F(ValueListFilter, TextShowsValuesStartingWithItWithoutRegardToCase) {
    for (const char* value : {"Rock", "Rockabilly", "Hard Rock", "Pop"}) panel_->options.add_value(value);
    playlist({{"Rock"}, {"Hard Rock"}}, {0, 1});
    fill();
    ASSERT_EQ(rows().size(), 4u);
    for (const char* filter : {"ro", "RO"}) {
        filter_with(filter);
        EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Rock", L"Rockabilly"})) << filter;
        EXPECT_EQ(states(), (std::vector<int>{3, 1})) << filter;
    }
    filter_with("hard");
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Hard Rock"}));
}

TEST_F(ValueListFilter, BackslashSShowsValuesSelectedTracksHaveInEitherCase) {
    rock_pop_jazz();
    for (const char* filter : {"\\s", "\\S"}) {
        filter_with(filter);
        EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Pop", L"Rock"})) << filter;
        EXPECT_EQ(states(), (std::vector<int>{3, 2})) << filter;
    }
}

TEST_F(ValueListFilter, BackslashUShowsValuesNoSelectedTrackHas) {
    rock_pop_jazz();
    filter_with("\\u");
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Jazz"}));
    EXPECT_EQ(states(), (std::vector<int>{1}));
}

TEST_F(ValueListFilter, ABackslashAloneShowsEveryValue) {
    rock_pop_jazz();
    filter_with("\\");
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Jazz", L"Pop", L"Rock"}));
}

TEST_F(ValueListFilter, ThePlaceholderFiltersNothing) {
    rock_pop_jazz();
    filter_with("ro");
    ASSERT_EQ(rows().size(), 1u);
    filter_with(filter_placeholder);
    EXPECT_EQ(values_->filter_text(), "");
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Jazz", L"Pop", L"Rock"}));
    EXPECT_EQ(states(), (std::vector<int>{1, 3, 2}));
}

TEST_F(ValueListFilter, TheValueListWritesTheFilterBoxUnderItsGuard) {
    SetWindowTextW(panel_->filter, L"typed");
    values_->set_filter_text("ro");
    EXPECT_EQ(panel_->filter_changes_guarded, (std::vector<bool>{false, true}));
    EXPECT_FALSE(values_->filter_text_guard());
    EXPECT_EQ(values_->filter_text(), "ro");
}

// Clicks on the check boxes, with the mouse and the keyboard.

using ValueListClicks = ValueListTest;

TEST_F(ValueListClicks, AnEmptyBoxGoesToAllThenBackToNone) {
    rock_pop_jazz();
    const int jazz = row_of(L"Jazz");
    harness::click_check_box(list_, jazz);
    EXPECT_EQ(harness::state_image(list_, jazz), 2);
    harness::click_check_box(list_, jazz);
    EXPECT_EQ(harness::state_image(list_, jazz), 1);
    harness::click_check_box(list_, jazz);
    EXPECT_EQ(harness::state_image(list_, jazz), 2);
}

TEST_F(ValueListClicks, AGreyTickGoesToNoneThenAll) {
    rock_pop_jazz();
    const int pop = row_of(L"Pop");
    harness::click_check_box(list_, pop);
    EXPECT_EQ(harness::state_image(list_, pop), 1);
    harness::click_check_box(list_, pop);
    EXPECT_EQ(harness::state_image(list_, pop), 2);
    harness::click_check_box(list_, pop);
    EXPECT_EQ(harness::state_image(list_, pop), 1);
}

TEST_F(ValueListClicks, ABlackTickGoesToNoneThenAll) {
    rock_pop_jazz();
    const int rock = row_of(L"Rock");
    harness::click_check_box(list_, rock);
    EXPECT_EQ(harness::state_image(list_, rock), 1);
    harness::click_check_box(list_, rock);
    EXPECT_EQ(harness::state_image(list_, rock), 2);
}

TEST_F(ValueListClicks, AClickChangesOnlyItsOwnRow) {
    rock_pop_jazz();
    harness::click_check_box(list_, row_of(L"Pop"));
    EXPECT_EQ(states(), (std::vector<int>{1, 1, 2}));
}

TEST_F(ValueListClicks, TheControlsOwnProposalAfterOurChangeIsRefused) {
    rock_pop_jazz();
    const int jazz = row_of(L"Jazz");
    panel_->notices.clear();
    harness::click_check_box(list_, jazz);
    const auto proposed = panel_->image_proposals(jazz);
    ASSERT_GE(proposed.size(), 1u);
    EXPECT_FALSE(proposed.front().refused);
    EXPECT_EQ(proposed.front().new_state & LVIS_STATEIMAGEMASK, image_bits(2));
    // Wine's list view proposes its own toggle after NM_CLICK: it must not undo ours.
    for (std::size_t i = 1; i < proposed.size(); ++i) EXPECT_TRUE(proposed[i].refused) << i;
    EXPECT_EQ(harness::state_image(list_, jazz), 2);
}

TEST_F(ValueListClicks, TheFirstEditTakesTheSelectedTracksAndKeepsThem) {
    rock_pop_jazz();
    const int updates = panel_->controls_updates;
    harness::click_check_box(list_, row_of(L"Jazz"));
    EXPECT_TRUE(pending_are({0, 1, 2}));
    EXPECT_GT(panel_->controls_updates, updates);

    engines().select({3});
    harness::click_check_box(list_, row_of(L"Pop"));
    harness::click_check_box(list_, row_of(L"Jazz"));
    EXPECT_TRUE(pending_are({0, 1, 2}));
}

TEST_F(ValueListClicks, WithNoTrackSelectedAClickChangesNothing) {
    rock_pop_jazz();
    engines().select({});
    panel_->notices.clear();
    harness::click_check_box(list_, row_of(L"Rock"));
    harness::click_check_box(list_, row_of(L"Pop"));
    EXPECT_EQ(states(), (std::vector<int>{1, 3, 2}));
    EXPECT_TRUE(values_->pending_tracks().empty());
    EXPECT_EQ(panel_->count(NM_CLICK), 2);
    EXPECT_TRUE(values_->edits().empty());
}

TEST_F(ValueListClicks, TheSpaceBarChangesNoCheckBox) {
    rock_pop_jazz();
    const int jazz = row_of(L"Jazz");
    set_row_state(jazz, LVIS_FOCUSED, LVIS_FOCUSED);
    panel_->notices.clear();
    harness::press_key(list_, VK_SPACE);
    // The control did propose the toggle; the value list refused it.
    const auto proposed = panel_->image_proposals(jazz);
    ASSERT_EQ(proposed.size(), 1u);
    EXPECT_TRUE(proposed.front().refused);
    EXPECT_EQ(states(), (std::vector<int>{1, 3, 2}));
    EXPECT_TRUE(values_->pending_tracks().empty());
}

TEST_F(ValueListClicks, ClickingALabelNeverSelectsTheRowNorChangesAState) {
    rock_pop_jazz();
    for (const wchar_t* value : {L"Jazz", L"Pop", L"Rock"}) {
        const int row = row_of(value);
        panel_->notices.clear();
        harness::click_label(list_, row);
        EXPECT_FALSE(harness::is_selected(list_, row));
        const auto proposed = panel_->selection_proposals(row);
        ASSERT_FALSE(proposed.empty()) << "the click did not reach the row";
        for (const auto& p : proposed) EXPECT_TRUE(p.refused);
        EXPECT_FALSE(values_->click_armed()) << "a label click leaves nothing armed for a later change";
    }
    EXPECT_EQ(states(), (std::vector<int>{1, 3, 2}));
    EXPECT_TRUE(values_->pending_tracks().empty());
}

TEST_F(ValueListClicks, AChangeWhileAFillRunsIsNoEdit) {
    rock_pop_jazz();
    const int rock = row_of(L"Rock");
    panel_->pretend_filling = true;
    harness::click_check_box(list_, rock);
    // Neither the step from "all" on to "none" nor pending tracks: the fill owns the rows.
    EXPECT_EQ(harness::state_image(list_, rock), 3);
    EXPECT_TRUE(values_->pending_tracks().empty());
}

// Rebuilding.

using ValueListRebuild = ValueListTest;

TEST_F(ValueListRebuild, TheSameValuesKeepTheirRowsButLoseTheirEdits) {
    rock_pop_jazz();
    for (int row = 0; row < 3; ++row) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        item.lParam = 100 + row;
        SendMessageW(list_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    harness::click_check_box(list_, row_of(L"Jazz"));
    harness::click_check_box(list_, row_of(L"Pop"));
    SetWindowTextW(panel_->add, L"Blues");
    ASSERT_FALSE(values_->pending_tracks().empty());
    ASSERT_EQ(states(), (std::vector<int>{2, 1, 2}));
    panel_->notices.clear();

    fill();

    EXPECT_EQ(panel_->count(LVN_DELETEALLITEMS), 0);
    EXPECT_EQ(panel_->count(LVN_DELETEITEM), 0);
    EXPECT_EQ(panel_->count(LVN_INSERTITEM), 0);
    for (int row = 0; row < 3; ++row) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(item.lParam, 100 + row) << row;
    }
    EXPECT_EQ(states(), (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(values_->initial_states(), (std::vector<std::uint32_t>{image_bits(1), image_bits(3), image_bits(2)}));
    EXPECT_TRUE(values_->pending_tracks().empty());
    EXPECT_TRUE(values_->edits().empty());
    EXPECT_EQ(sonavel::uGetWindowText(panel_->add), add_placeholder);
}

TEST_F(ValueListRebuild, ARebuildOutsideAFillSetsEveryStateItComputes) {
    rock_pop_jazz();
    const int pop = row_of(L"Pop");
    harness::click_check_box(list_, pop);
    harness::click_check_box(list_, pop);
    ASSERT_EQ(harness::state_image(list_, pop), 2);
    // The panel rebuilds on its own too (a new filter text): no fill runs then, and the step back to "some"
    // must not be taken for a click on "all".
    values_->rebuild_now();
    EXPECT_EQ(states(), (std::vector<int>{1, 3, 2}));
    EXPECT_TRUE(values_->pending_tracks().empty());
    EXPECT_FALSE(values_->update_running());
}

TEST_F(ValueListRebuild, ANewValueReplacesTheRows) {
    rock_pop_jazz();
    panel_->notices.clear();
    panel_->options.add_value("Blues");
    values_->rebuild_now();
    EXPECT_GE(panel_->count(LVN_INSERTITEM), 4);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Jazz", L"Pop", L"Rock", L"Blues"}));
    EXPECT_EQ(states(), (std::vector<int>{1, 3, 2, 1}));
}

TEST_F(ValueListRebuild, AFilterReplacesTheRowsEvenWhenTheyWouldBeTheSame) {
    rock_pop_jazz();
    panel_->notices.clear();
    filter_with("\\");
    EXPECT_EQ(panel_->count(LVN_INSERTITEM), 3);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Jazz", L"Pop", L"Rock"}));
}

TEST_F(ValueListRebuild, ARowWithADifferentTextReplacesTheRows) {
    rock_pop_jazz();
    panel_->notices.clear();
    panel_->options.tags[1] = "pop";
    values_->rebuild_now();
    EXPECT_EQ(panel_->count(LVN_INSERTITEM), 3);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Jazz", L"pop", L"Rock"}));
}

TEST_F(ValueListRebuild, EmptyValuesGetNoRow) {
    panel_->options.tags = {"Rock", "", "Pop"};
    values_->rebuild_now();
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Rock", L"Pop"}));
}

TEST_F(ValueListRebuild, WhileBusyRowsStayAndClicksChangeNothing) {
    rock_pop_jazz();
    panel_->is_busy = true;
    panel_->options.add_value("Blues");
    const int updates = panel_->controls_updates;
    values_->rebuild_now();
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Jazz", L"Pop", L"Rock"}));
    EXPECT_EQ(panel_->controls_updates, updates);

    harness::click_check_box(list_, row_of(L"Jazz"));
    harness::click_check_box(list_, row_of(L"Rock"));
    EXPECT_EQ(states(), (std::vector<int>{1, 3, 2}));
    EXPECT_TRUE(values_->pending_tracks().empty());

    panel_->is_busy = false;
    values_->rebuild_now();
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"Jazz", L"Pop", L"Rock", L"Blues"}));
}

// The add box and pending edits.

using ValueListPending = ValueListTest;

TEST_F(ValueListPending, NoLongerPendingForgetsTheTracksAndResetsTheAddBoxUnderItsGuard) {
    rock_pop_jazz();
    harness::click_check_box(list_, row_of(L"Jazz"));
    ASSERT_TRUE(pending_are({0, 1, 2}));
    SetWindowTextW(panel_->add, L"Blues");
    EXPECT_EQ(values_->add_text(), "Blues");
    ASSERT_FALSE(panel_->add_changes_guarded.empty());
    EXPECT_FALSE(panel_->add_changes_guarded.back());
    panel_->add_changes_guarded.clear();
    const int updates = panel_->controls_updates;

    values_->set_pending(false);

    EXPECT_TRUE(values_->pending_tracks().empty());
    EXPECT_EQ(sonavel::uGetWindowText(panel_->add), add_placeholder);
    EXPECT_EQ(values_->add_text(), "");
    EXPECT_EQ(panel_->add_changes_guarded, std::vector<bool>{true});
    EXPECT_FALSE(values_->add_text_guard());
    EXPECT_EQ(panel_->controls_updates, updates + 1);
}

TEST_F(ValueListPending, PendingTakesTheSelectionOnlyWhenNothingIsPending) {
    rock_pop_jazz();
    values_->set_pending(true);
    EXPECT_TRUE(pending_are({0, 1, 2}));
    engines().select({1, 3});
    values_->set_pending(true);
    EXPECT_TRUE(pending_are({0, 1, 2}));
    values_->set_pending(false);
    values_->set_pending(true);
    EXPECT_TRUE(pending_are({1, 3}));
}

// What Apply reads.

using ValueListEdits = ValueListTest;

TEST_F(ValueListEdits, EditsAreTheRowsWhoseStateDiffersFromTheRebuild) {
    rock_pop_jazz();
    harness::click_check_box(list_, row_of(L"Jazz"));  // none -> all
    harness::click_check_box(list_, row_of(L"Pop"));   // some -> none
    harness::click_check_box(list_, row_of(L"Rock"));  // all -> none
    harness::click_check_box(list_, row_of(L"Rock"));  // none -> all: as it was
    EXPECT_EQ(values_->edits(), (std::vector<ValueEdit>{{"Jazz", 2}, {"Pop", 1}}));
}

// The state images.

using ValueListImages = ValueListTest;

COLORREF pixel_of(HIMAGELIST images, int image, POINT at, COLORREF background) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    sonavel::unique_hbitmap canvas(CreateCompatibleBitmap(screen, 16, 16));
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, canvas.get());
    sonavel::unique_hbrush brush(CreateSolidBrush(background));
    RECT all{0, 0, 16, 16};
    FillRect(dc, &all, brush.get());
    ImageList_Draw(images, image, dc, 0, 0, ILD_NORMAL);
    const COLORREF colour = GetPixel(dc, at.x, at.y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

int brightness(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

TEST_F(ValueListImages, TheListShowsThreeCheckBoxesWithTheRedCornerTransparent) {
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(list_, LVM_GETIMAGELIST, LVSIL_STATE, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 3);
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);

    const COLORREF green = RGB(0, 255, 0);
    for (int image = 0; image < 3; ++image) {
        EXPECT_EQ(pixel_of(images, image, {0, 0}, green), green) << image;
        EXPECT_EQ(pixel_of(images, image, {15, 15}, green), green) << image;
        const COLORREF border = pixel_of(images, image, {1, 1}, green);
        EXPECT_NE(border, green) << image;
        EXPECT_NE(border, RGB(255, 0, 0)) << image;
    }
    // A point of the tick: white in the empty box, darkest in the black tick, grey in the other.
    const POINT tick{4, 6};
    const int empty = brightness(pixel_of(images, 0, tick, green));
    const int black = brightness(pixel_of(images, 1, tick, green));
    const int grey = brightness(pixel_of(images, 2, tick, green));
    EXPECT_GT(empty, grey);
    EXPECT_GT(grey, black);
}

TEST(ValueListImageOwnership, TheListViewKeepsTheImagesAfterTheValueListIsGone) {
    harness::UnexpectedBoxGuard no_boxes;
    player::WinHost host;
    host.register_services();
    host.engines().start();
    TestPanel panel;
    panel.values.reset();
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(panel.list, LVM_GETIMAGELIST, LVSIL_STATE, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 3);
}

TEST(ValueListImageOwnership, AListViewThatSharesItsImagesGivesThemBackWithTheValueList) {
    harness::UnexpectedBoxGuard no_boxes;
    player::WinHost host;
    host.register_services();
    host.engines().start();
    TestPanel panel(LVS_SHAREIMAGELISTS);
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(panel.list, LVM_GETIMAGELIST, LVSIL_STATE, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 3);
    panel.values.reset();
    EXPECT_EQ(SendMessageW(panel.list, LVM_GETIMAGELIST, LVSIL_STATE, 0), 0);
}

TEST(ValueListConstruction, FindsItsControlsByIdAndRefusesAMissingOne) {
    harness::UnexpectedBoxGuard no_boxes;
    player::WinHost host;
    host.register_services();
    host.engines().start();
    TestPanel panel;
    struct NoOwner final : quennet::ValueListOwner {
        quennet::Options& current_options() override { throw std::logic_error("unused"); }
        bool busy() override { return false; }
        bool fill_running() override { return false; }
        void update_controls() override {}
    } owner;
    quennet::ValueListControls controls = quennet::ValueListControls::of(panel.hwnd());
    EXPECT_EQ(controls.list, panel.list);
    EXPECT_EQ(controls.filter_edit, panel.filter);
    EXPECT_EQ(controls.add_edit, panel.add);
    controls.add_edit = nullptr;
    EXPECT_THROW({ quennet::ValueList values(owner, GetModuleHandleW(nullptr), controls); }, std::invalid_argument);
}

}  // namespace
