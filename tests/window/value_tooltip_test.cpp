// The tip over a value of the panel's list: how many of the selected tracks carry it, shown when the mouse
// rests on the row, with real mouse moves and the system's hover messages.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "resources/resource.h"
#include "tests/harness/mouse.h"
#include "tests/window/panel_window_fixture.h"

namespace window_test {
namespace {

BOOL CALLBACK find_visible_tip(HWND w, LPARAM found) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    if (std::wstring(name) != TOOLTIPS_CLASSW || !IsWindowVisible(w)) return TRUE;
    *reinterpret_cast<HWND*>(found) = w;
    return FALSE;
}

// The tooltip control this thread shows now, null when none is visible.
HWND visible_tip() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_visible_tip, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring text_of(HWND w) {
    wchar_t text[512] = {};
    GetWindowTextW(w, text, 512);
    return text;
}

class ValueTooltipTest : public DockedPanels {
protected:
    // Three selected tracks: Rock on all, Pop on one, Jazz on none.
    HWND three_rows() {
        playlist({{"Rock", "Pop"}, {"Rock"}, {"Rock"}}, {0, 1, 2});
        auto& docked = dock(preset("Genres", "GENRE", "Jazz"));
        settle();
        list_ = control(docked, IDC_PANEL_VALUE_LIST);
        panel_ = &panel_of(docked);
        return list_;
    }
    // Rests the mouse on the row's label and waits for the tip; empty when none came.
    std::wstring hover(const std::wstring& row) {
        harness::rest_mouse(list_, harness::label_point(list_, row_of(list_, row)));
        if (!harness::pump_until([] { return visible_tip() != nullptr; }, std::chrono::milliseconds(3000))) return {};
        return text_of(visible_tip());
    }

    HWND list_ = nullptr;
    quennet::VarnelPanel* panel_ = nullptr;
};

TEST_F(ValueTooltipTest, ValueCarriedByNoSelectedTrackIsNotInTheSelection) {
    three_rows();
    EXPECT_EQ(hover(L"Jazz"), L"Jazz: not in the selection");
}

TEST_F(ValueTooltipTest, ValueCarriedByAllSelectedTracksCountsThemAll) {
    three_rows();
    EXPECT_EQ(hover(L"Rock"), L"Rock: 3 of 3 selected tracks");
}

TEST_F(ValueTooltipTest, ValueCarriedBySomeSelectedTracksCountsThem) {
    three_rows();
    EXPECT_EQ(hover(L"Pop"), L"Pop: 1 of 3 selected tracks");
}

TEST_F(ValueTooltipTest, MovingToAnotherRowShowsThatRowsCount) {
    three_rows();
    ASSERT_EQ(hover(L"Pop"), L"Pop: 1 of 3 selected tracks");
    // The tip of the row left goes at once; the next row's comes when the mouse rests again.
    harness::rest_mouse(list_, harness::label_point(list_, row_of(list_, L"Rock")));
    EXPECT_EVENTUALLY(visible_tip() == nullptr || text_of(visible_tip()) == L"Rock: 3 of 3 selected tracks");
    EXPECT_EVENTUALLY(visible_tip() != nullptr && text_of(visible_tip()) == L"Rock: 3 of 3 selected tracks");
}

TEST_F(ValueTooltipTest, PressingAButtonHidesTheTip) {
    three_rows();
    ASSERT_EQ(hover(L"Rock"), L"Rock: 3 of 3 selected tracks");
    harness::click(list_, harness::label_point(list_, row_of(list_, L"Rock")));
    EXPECT_EVENTUALLY(visible_tip() == nullptr);
    // Resting on the clicked row again brings no tip; another row does.
    harness::rest_mouse(list_, harness::label_point(list_, row_of(list_, L"Rock")));
    harness::pump_for(std::chrono::milliseconds(1000));
    EXPECT_EQ(visible_tip(), nullptr);
    EXPECT_EQ(hover(L"Jazz"), L"Jazz: not in the selection");
}

TEST_F(ValueTooltipTest, NoTipWhileThePanelIsBusy) {
    three_rows();
    panel_->model()->set_busy(true);
    harness::rest_mouse(list_, harness::label_point(list_, row_of(list_, L"Rock")));
    harness::pump_for(std::chrono::milliseconds(1200));
    EXPECT_EQ(visible_tip(), nullptr);
    panel_->model()->set_busy(false);
    // The same spot after the update: the tip comes on the next rest.
    EXPECT_EQ(hover(L"Pop"), L"Pop: 1 of 3 selected tracks");
}

TEST_F(ValueTooltipTest, ListLooksAsBeforeWithTheTip) {
    three_rows();
    ASSERT_EQ(hover(L"Rock"), L"Rock: 3 of 3 selected tracks");
    EXPECT_EQ(rows(list_), (std::vector<std::wstring>{L"Jazz", L"Pop", L"Rock"}));
    EXPECT_EQ(harness::state_image(list_, row_of(list_, L"Jazz")), 1);
    EXPECT_EQ(harness::state_image(list_, row_of(list_, L"Rock")), 2);
    EXPECT_EQ(harness::state_image(list_, row_of(list_, L"Pop")), 3);
    for (int i = 0; i < harness::item_count(list_); ++i) EXPECT_FALSE(harness::is_selected(list_, i));
}

}  // namespace
}  // namespace window_test
