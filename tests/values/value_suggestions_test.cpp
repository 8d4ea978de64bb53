// Suggestions while typing in the add box, driven by real keys: the drop-down opens under the box with
// the values that start with, then contain, what is being typed; arrows and Enter choose without applying;
// Escape closes it without reverting; Enter with no drop-down applies as before.
#include "resources/resource.h"
#include "sdk/win/dpi.h"
#include "tests/harness/keyboard.h"
#include "tests/harness/mouse.h"
#include "tests/values/values_fixture.h"

namespace {

using values_test::Strings;

class AddBoxSuggestions : public values_test::LibraryValues {
protected:
    quennet::VarnelPanel& panel_with_library() {
        auto& docked = dock(preset("Genres", "GENRE", "Rock;Rockabilly;Pop"));
        library({{"Jazz"}, {"Hard Rock"}, {"Rock"}});
        add_ = control(docked, IDC_PANEL_ADD);
        EXPECT_TRUE(harness::focus(add_));
        harness::pump_for(std::chrono::milliseconds(30));
        return panel_of(docked);
    }
    std::wstring add_text() const {
        wchar_t text[256] = {};
        GetWindowTextW(add_, text, 256);
        return text;
    }
    HWND add_ = nullptr;
};

TEST_F(AddBoxSuggestions, TypingOpensTheDropDownUnderTheBoxWithoutTakingTheFocus) {
    auto& panel = panel_with_library();
    harness::type_text(add_, L"ro");
    harness::pump_for(std::chrono::milliseconds(30));
    auto* suggestions = panel.suggestions();
    ASSERT_NE(suggestions, nullptr);
    ASSERT_TRUE(suggestions->shown());
    EXPECT_EQ(suggestions->offered(), (Strings{"Rock", "Rockabilly", "Hard Rock"}));
    EXPECT_EQ(GetFocus(), add_);
    EXPECT_EQ(add_text(), L"ro");
    RECT box{}, drop{};
    GetWindowRect(add_, &box);
    GetWindowRect(suggestions->list(), &drop);
    EXPECT_GE(drop.top, box.bottom) << "what the user typed stays in sight";

    harness::type_text(add_, L"ckab");
    harness::pump_for(std::chrono::milliseconds(30));
    EXPECT_EQ(suggestions->offered(), (Strings{"Rockabilly"}));
    harness::type_text(add_, L"xyz");
    harness::pump_for(std::chrono::milliseconds(30));
    EXPECT_FALSE(suggestions->shown()) << "nothing matches";
}

TEST_F(AddBoxSuggestions, ArrowsAndEnterChooseWithoutApplyingThenEnterApplies) {
    auto& panel = panel_with_library();
    harness::type_text(add_, L"Blues; ro");
    harness::pump_for(std::chrono::milliseconds(30));
    ASSERT_TRUE(panel.suggestions()->shown());
    harness::press_key(add_, VK_DOWN);
    harness::press_key(add_, VK_DOWN);
    harness::press_key(add_, VK_RETURN);
    harness::pump_for(std::chrono::milliseconds(60));
    EXPECT_EQ(add_text(), L"Blues; Rockabilly");
    EXPECT_FALSE(panel.suggestions()->shown());
    EXPECT_EQ(engines().io.running(), 0);
    EXPECT_EQ(genres(tracks_[0]), (Strings{"Jazz"})) << "choosing applies nothing";
    EXPECT_TRUE(panel.model()->has_pending_edits());

    harness::press_key(add_, VK_RETURN);
    ASSERT_EVENTUALLY(engines().io.running() == 0 && genres(tracks_[0]) == (Strings{"Jazz", "Blues", "Rockabilly"}));
    settle();
}

TEST_F(AddBoxSuggestions, EscapeClosesTheDropDownAndKeepsWhatWasTyped) {
    auto& panel = panel_with_library();
    harness::type_text(add_, L"po");
    harness::pump_for(std::chrono::milliseconds(30));
    ASSERT_TRUE(panel.suggestions()->shown());
    EXPECT_EQ(panel.suggestions()->offered(), (Strings{"Pop"}));
    harness::press_key(add_, VK_ESCAPE);
    harness::pump_for(std::chrono::milliseconds(30));
    EXPECT_FALSE(panel.suggestions()->shown());
    EXPECT_EQ(add_text(), L"po") << "Escape with the drop-down open does not revert";
    EXPECT_TRUE(panel.model()->has_pending_edits());
}

TEST_F(AddBoxSuggestions, EnterWithNoDropDownAppliesAsBefore) {
    auto& panel = panel_with_library();
    harness::type_text(add_, L"Metal");
    harness::pump_for(std::chrono::milliseconds(30));
    EXPECT_FALSE(panel.suggestions()->shown());
    harness::press_key(add_, VK_RETURN);
    ASSERT_EVENTUALLY(engines().io.running() == 0 && genres(tracks_[0]) == (Strings{"Jazz", "Metal"}));
    settle();
}

TEST_F(AddBoxSuggestions, EnterOnAnOpenDropDownWithNothingChosenOnlyClosesIt) {
    auto& panel = panel_with_library();
    harness::type_text(add_, L"ja");
    harness::pump_for(std::chrono::milliseconds(30));
    ASSERT_TRUE(panel.suggestions()->shown());
    harness::press_key(add_, VK_RETURN);
    harness::pump_for(std::chrono::milliseconds(60));
    EXPECT_FALSE(panel.suggestions()->shown());
    EXPECT_EQ(add_text(), L"ja");
    EXPECT_EQ(genres(tracks_[0]), (Strings{"Jazz"}));
}

LOGFONTW logical_font(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

// The drop-down shows its rows in the edit boxes' font (upright, also while the typed text is italic as
// not yet written), and holds them all.
void expect_in_the_edit_boxes_font(HWND drop_down, HWND filter_box) {
    const LOGFONTW drop = logical_font(drop_down);
    const LOGFONTW box = logical_font(filter_box);
    EXPECT_EQ(drop.lfHeight, box.lfHeight);
    EXPECT_EQ(std::wstring(drop.lfFaceName), std::wstring(box.lfFaceName));
    EXPECT_EQ(drop.lfItalic, 0);
    const int rows = int(SendMessageW(drop_down, LB_GETCOUNT, 0, 0));
    const int row = int(SendMessageW(drop_down, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_GE(row, sonavel::line_height(drop_down, reinterpret_cast<HFONT>(SendMessageW(drop_down, WM_GETFONT, 0, 0))));
    RECT client{};
    GetClientRect(drop_down, &client);
    EXPECT_GE(client.bottom, rows * row) << "every suggestion in sight";
}

TEST_F(AddBoxSuggestions, TheDropDownFollowsThePanelsFontWhenThePanelHostsFontOrTheDpiChanges) {
    auto& panel = panel_with_library();
    const HWND filter = GetDlgItem(panel.get_window(), IDC_PANEL_FILTER);
    harness::type_text(add_, L"ro");
    harness::pump_for(std::chrono::milliseconds(30));
    const HWND drop_down = panel.suggestions()->list();
    ASSERT_TRUE(panel.suggestions()->shown());
    const LONG first_height = logical_font(drop_down).lfHeight;
    expect_in_the_edit_boxes_font(drop_down, filter);

    // The panel host's font for labels (the edit boxes' font) grows to three times its size.
    panoplex::log_font labels{};
    engines().fonts.get_font(panoplex::fonts::font_type_labels, labels);
    labels.height *= 3;
    engines().fonts.set_font(panoplex::fonts::font_type_labels, labels);
    harness::pump_for(std::chrono::milliseconds(30));
    ASSERT_TRUE(panel.suggestions()->shown()) << "the box kept the focus";
    EXPECT_NE(logical_font(drop_down).lfHeight, first_height);
    expect_in_the_edit_boxes_font(drop_down, filter);

    // A new DPI: the panel makes its fonts again, and the drop-down takes the new edit boxes' font.
    const auto before = reinterpret_cast<HFONT>(SendMessageW(drop_down, WM_GETFONT, 0, 0));
    SendMessageW(panel.get_window(), WM_DPICHANGED_AFTERPARENT, 0, 0);
    harness::pump_for(std::chrono::milliseconds(30));
    EXPECT_NE(reinterpret_cast<HFONT>(SendMessageW(drop_down, WM_GETFONT, 0, 0)), before);
    EXPECT_EQ(SendMessageW(drop_down, WM_GETFONT, 0, 0), SendMessageW(filter, WM_GETFONT, 0, 0));
    expect_in_the_edit_boxes_font(drop_down, filter);
}

}  // namespace

namespace {

TEST_F(AddBoxSuggestions, AClickOnASuggestionChoosesItAndTheBoxKeepsTheFocus) {
    auto& panel = panel_with_library();
    harness::type_text(add_, L"Pop; hard");
    harness::pump_for(std::chrono::milliseconds(30));
    const HWND list = panel.suggestions()->list();
    ASSERT_TRUE(panel.suggestions()->shown());
    RECT row{};
    SendMessageW(list, LB_GETITEMRECT, 0, LPARAM(&row));
    harness::click(list, POINT{row.left + 10, (row.top + row.bottom) / 2});
    harness::pump_for(std::chrono::milliseconds(30));
    EXPECT_EQ(add_text(), L"Pop; Hard Rock");
    EXPECT_FALSE(panel.suggestions()->shown());
    EXPECT_EQ(GetFocus(), add_);
    EXPECT_EQ(genres(tracks_[0]), (Strings{"Jazz"})) << "choosing applies nothing";
}

}  // namespace
