// Finding windows by the text a user reads on them.
#include "tests/harness/find_window.h"

#include <gtest/gtest.h>

#include "tests/harness/dialog_template.h"
#include "tests/harness/message_box.h"
#include "tests/harness/probe_window.h"
#include "tests/harness/window_query.h"

namespace {

using harness_test::ProbeWindow;

class HarnessFindWindow : public ::testing::Test {
protected:
    harness::UnexpectedBoxGuard no_boxes_;
};

TEST_F(HarnessFindWindow, FindsATopLevelWindowOfThisProcessByItsText) {
    ProbeWindow window(L"Properties of 3 files");
    EXPECT_EQ(harness::find_window(L"Properties of 3 files"), window.hwnd());
    EXPECT_EQ(harness::find_window(L"Properties of 3"), nullptr);
}

TEST_F(HarnessFindWindow, AClassNameTellsApartWindowsWithTheSameText) {
    ProbeWindow probe(L"Twin");
    auto dialog = harness_test::create_dialog(nullptr, L"Twin", {});
    ASSERT_TRUE(dialog);
    EXPECT_EQ(harness::find_window(L"Twin", L"#32770"), dialog.get());
    EXPECT_EQ(harness::find_window(L"Twin", L"harnessprobewindow"), probe.hwnd());
    EXPECT_EQ(harness::find_window(L"Twin", L"Edit"), nullptr);
}

TEST_F(HarnessFindWindow, FindsAControlOfADialogByTextAndClass) {
    auto dialog = harness_test::create_dialog(nullptr, L"Edit tags",
                                              {{L"STATIC", L"Apply", 0xFFFF, SS_LEFT, {5, 5, 60, 15}},
                                               {L"BUTTON", L"Apply", 12, BS_PUSHBUTTON, {5, 20, 60, 35}},
                                               {L"BUTTON", L"Cancel", IDCANCEL, BS_PUSHBUTTON, {70, 20, 125, 35}}});
    ASSERT_TRUE(dialog);
    HWND apply = harness::find_child(dialog.get(), L"Apply", L"Button");
    ASSERT_NE(apply, nullptr);
    EXPECT_EQ(GetDlgCtrlID(apply), 12);
    EXPECT_TRUE(harness::has_class(harness::find_child(dialog.get(), L"Apply"), L"Static"));
    EXPECT_EQ(harness::find_child(dialog.get(), L"OK"), nullptr);
}

TEST_F(HarnessFindWindow, FindsAControlNestedInsideAnotherChild) {
    ProbeWindow window;
    HWND group = window.add_child(L"STATIC", L"Group", 0, 1, {10, 10, 300, 200});
    HWND inner = CreateWindowExW(0, L"BUTTON", L"Deep", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, group, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(harness::find_child(window.hwnd(), L"Deep"), inner);
}

}  // namespace
