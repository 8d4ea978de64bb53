// Clicking list-view items with the mouse: check boxes toggle, labels select, double clicks activate.
#include "tests/harness/list_view.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/harness/message_box.h"
#include "tests/harness/probe_window.h"
#include "tests/harness/pump.h"

namespace {

using harness_test::ProbeWindow;

constexpr int list_id = 200;
constexpr UINT checked = INDEXTOSTATEIMAGEMASK(2);

HWND add_list(ProbeWindow& window, DWORD view, int items) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HWND list = window.add_child(WC_LISTVIEWW, L"", view | LVS_SHOWSELALWAYS | WS_BORDER, list_id, {10, 10, 400, 260});
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    if (view == LVS_REPORT) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 200;
        column.pszText = const_cast<wchar_t*>(L"Name");
        SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    }
    const wchar_t* names[] = {L"Alpha", L"Beta", L"Gamma", L"Delta"};
    // Wine repaints the list after every insertion otherwise: seconds for a few hundred items.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < items; ++i) {
        std::wstring name = i < 4 ? names[i] : L"Item " + std::to_wstring(i);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = name.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    harness::pump_pending();
    return list;
}

class HarnessListView : public ::testing::Test {
protected:
    harness::UnexpectedBoxGuard no_boxes_;
    ProbeWindow window_;
    HWND list_ = add_list(window_, LVS_LIST, 4);

    void SetUp() override { window_.notifications.clear(); }
};

TEST_F(HarnessListView, ReadsCountTextAndTheUncheckedStateOfNewItems) {
    EXPECT_EQ(harness::item_count(list_), 4);
    EXPECT_EQ(harness::item_text(list_, 1), L"Beta");
    EXPECT_EQ(harness::state_image(list_, 1), 1);
    EXPECT_THROW(harness::item_text(list_, 4), std::out_of_range);
}

TEST_F(HarnessListView, ClickingACheckBoxTogglesOnlyThatItemBothWays) {
    harness::click_check_box(list_, 1);
    EXPECT_EQ(harness::state_image(list_, 1), 2);
    EXPECT_EQ(harness::state_image(list_, 0), 1);
    EXPECT_EQ(harness::state_image(list_, 2), 1);

    harness::click_check_box(list_, 1);
    EXPECT_EQ(harness::state_image(list_, 1), 1);
}

TEST_F(HarnessListView, ClickingACheckBoxTellsTheParentOnceWithTheProposedChange) {
    harness::click_check_box(list_, 2);

    EXPECT_EQ(window_.count(NM_CLICK), 1);
    ASSERT_NE(window_.first(NM_CLICK), nullptr);
    EXPECT_EQ(window_.first(NM_CLICK)->item, 2);
    const harness_test::Notification* change = nullptr;
    for (const auto& n : window_.notifications)
        if (n.code == LVN_ITEMCHANGING && ((n.old_state ^ n.new_state) & LVIS_STATEIMAGEMASK)) change = &n;
    ASSERT_NE(change, nullptr);
    EXPECT_EQ(change->item, 2);
    EXPECT_EQ(change->old_state & LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1));
    EXPECT_EQ(change->new_state & LVIS_STATEIMAGEMASK, checked);
}

TEST_F(HarnessListView, TheClickHappensWhereTheCursorIs) {
    const POINT target = harness::check_box_point(list_, 3);
    harness::click_check_box(list_, 3);
    const auto* click = window_.first(NM_CLICK);
    ASSERT_NE(click, nullptr);
    EXPECT_EQ(click->message_pos.x, target.x);
    EXPECT_EQ(click->message_pos.y, target.y);
    EXPECT_EQ(window_.count(LVN_BEGINDRAG), 0);
}

TEST_F(HarnessListView, ClickingALabelSelectsTheItemWithoutToggling) {
    harness::click_label(list_, 2);
    EXPECT_EQ(harness::state_image(list_, 2), 1);
    EXPECT_TRUE(harness::is_selected(list_, 2));
    EXPECT_EQ(window_.count(NM_CLICK), 1);
}

TEST_F(HarnessListView, DoubleClickingALabelNotifiesADoubleClickOnThatItem) {
    harness::double_click_label(list_, 1);
    EXPECT_EQ(window_.count(NM_DBLCLK), 1);
    ASSERT_NE(window_.first(NM_DBLCLK), nullptr);
    EXPECT_EQ(window_.first(NM_DBLCLK)->item, 1);
    EXPECT_EQ(harness::state_image(list_, 1), 1);
}

TEST_F(HarnessListView, ClickingAnItemThatDoesNotExistThrows) {
    EXPECT_THROW(harness::click_check_box(list_, 4), std::out_of_range);
    EXPECT_THROW(harness::click_label(list_, -1), std::out_of_range);
    EXPECT_EQ(window_.count(NM_CLICK), 0);
}

TEST(HarnessListViewScrolling, ClickingAnItemOutOfSightScrollsItIntoViewFirst) {
    harness::UnexpectedBoxGuard no_boxes;
    ProbeWindow window;
    HWND list = add_list(window, LVS_LIST, 300);
    harness::click_check_box(list, 280);
    EXPECT_EQ(harness::state_image(list, 280), 2);
    harness::click_label(list, 0);
    EXPECT_TRUE(harness::is_selected(list, 0));
    EXPECT_EQ(harness::state_image(list, 0), 1);
}

class HarnessListViewInEveryView : public ::testing::TestWithParam<DWORD> {
protected:
    harness::UnexpectedBoxGuard no_boxes_;
    ProbeWindow window_;
    HWND list_ = add_list(window_, GetParam(), 4);
};

TEST_P(HarnessListViewInEveryView, CheckBoxClicksToggleAndLabelClicksDoNot) {
    harness::click_check_box(list_, 1);
    EXPECT_EQ(harness::state_image(list_, 1), 2);
    harness::click_label(list_, 1);
    EXPECT_EQ(harness::state_image(list_, 1), 2);
    EXPECT_TRUE(harness::is_selected(list_, 1));
    harness::click_check_box(list_, 1);
    EXPECT_EQ(harness::state_image(list_, 1), 1);
}

std::string view_name(const ::testing::TestParamInfo<DWORD>& info) {
    switch (info.param) {
    case LVS_ICON: return "Icon";
    case LVS_REPORT: return "Report";
    case LVS_SMALLICON: return "SmallIcon";
    default: return "List";
    }
}

INSTANTIATE_TEST_SUITE_P(Views, HarnessListViewInEveryView, ::testing::Values(LVS_LIST, LVS_REPORT, LVS_SMALLICON, LVS_ICON),
                         view_name);

}  // namespace
