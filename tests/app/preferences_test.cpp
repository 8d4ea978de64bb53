// File > Preferences as a user meets it: the component's advanced settings in a tree, edited with mouse
// and keys, reaching the component (its large-update warning, its console lines) and kept in player.cfg.
#include <windows.h>
#include <commctrl.h>

#include "player/prefs/PreferencesDialog.h"
#include "resources/resource.h"
#include "tests/app/player_fixture.h"
#include "tests/harness/keyboard.h"
#include "tests/harness/mouse.h"
#include "tests/harness/tree_view.h"

namespace app_test {
namespace {

constexpr wchar_t threshold_name[] = L"Warn before updating of more than N items (0=off)";
constexpr wchar_t console_name[] = L"Enable console output";

class Preferences : public PlayerFixture {
protected:
    // Opens File > Preferences... and waits for its window.
    player::PreferencesDialog& open() {
        choose(0, L"&Preferences...");
        auto* dialog = window().preferences();
        EXPECT_TRUE(dialog && dialog->is_open());
        return *dialog;
    }
    HWND tree() { return window().preferences()->advanced().tree(); }
    HWND button(int id) { return GetDlgItem(window().preferences()->window(), id); }
    HTREEITEM threshold_item() { return harness::find_tree_item_starting(tree(), std::wstring(threshold_name) + L": "); }

    // Selects the threshold with a click, moves to its value with F2 and types a new one over it.
    void type_threshold(const std::wstring& text) {
        HTREEITEM item = threshold_item();
        ASSERT_NE(item, nullptr);
        harness::click_tree_label(tree(), item);
        ASSERT_EQ(harness::selected_tree_item(tree()), item);
        ASSERT_TRUE(harness::focus(tree()));
        harness::press_key(tree(), VK_F2);
        harness::pump_for(std::chrono::milliseconds(30));
        HWND value = window().preferences()->advanced().value();
        ASSERT_EQ(GetFocus(), value);
        harness::type_text(value, text);
        harness::pump_for(std::chrono::milliseconds(30));
    }
    void click_button(int id) {
        harness::click(button(id), harness::centre_of(button(id)));
        harness::pump_for(std::chrono::milliseconds(30));
    }
    // Selects every track and adds a value to all of them through the GENRE panel's add box: Enter applies.
    void add_to_every_track(const std::wstring& value) {
        HWND add = GetDlgItem(window().docked().at(0)->window(), IDC_PANEL_ADD);
        harness::click_label(playlist(), 0);
        ASSERT_TRUE(harness::focus(playlist()));
        harness::press_key(playlist(), 'A', harness::modifiers::ctrl);
        ASSERT_EVENTUALLY(engines().playlists.get_selected_items(engines().playlists.get_active_playlist()).size() == 3);
        ASSERT_TRUE(harness::focus(add));
        harness::type_text(add, value);
        harness::press_key(add, VK_RETURN);
    }
    // Sets the threshold to 2 through Preferences, then docks the GENRE panel.
    void lower_threshold_to_two() {
        start();
        open();
        type_threshold(L"2");
        EXPECT_EQ(harness::tree_item_text(tree(), threshold_item()), std::wstring(threshold_name) + L": 2");
        EXPECT_TRUE(IsWindowEnabled(button(player::PreferencesDialog::id_apply)));
        click_button(IDOK);
        EXPECT_FALSE(window().preferences()->is_open());
        dock_genre_panel();
    }
};

TEST_F(Preferences, ShowsTheComponentsSettingsUnderItsBranchInTheAdvancedTree) {
    start();
    open();
    HTREEITEM branch = harness::find_tree_item(tree(), L"Varnel panel");
    ASSERT_NE(branch, nullptr);
    EXPECT_EQ(harness::tree_item_text(tree(), TreeView_GetParent(tree(), branch)), L"Display");
    HTREEITEM threshold = threshold_item();
    ASSERT_NE(threshold, nullptr);
    EXPECT_EQ(harness::tree_item_text(tree(), threshold), std::wstring(threshold_name) + L": 100");
    EXPECT_EQ(TreeView_GetParent(tree(), threshold), branch);
    HTREEITEM console = harness::find_tree_item(tree(), console_name);
    ASSERT_NE(console, nullptr);
    EXPECT_EQ(harness::tree_state_image(tree(), console), 1) << "an unticked check box";
    EXPECT_EQ(harness::tree_state_image(tree(), threshold), 0) << "a text entry has no box";
}

TEST_F(Preferences, ALowerWarningThresholdMakesTheNextLargeApplyAskAndYesWritesTheFiles) {
    lower_threshold_to_two();
    harness::MessageBoxAnswerer boxes({IDYES});
    add_to_every_track(L"Blues");
    ASSERT_EVENTUALLY(boxes.answered() == 1);
    EXPECT_EQ(boxes.boxes()[0].caption, L"Update tags");
    EXPECT_EQ(boxes.boxes()[0].text, L"You will update 3 files. Continue?");
    ASSERT_EVENTUALLY(idle() && values_of(tags_of(music_.file(L"03 third.wav")), "GENRE").size() == 2);
    EXPECT_EQ(values_of(tags_of(music_.file(L"01 first.mp3")), "GENRE"), (std::vector<std::string>{"Rock", "Blues"}));
    EXPECT_EQ(values_of(tags_of(music_.file(L"03 third.wav")), "GENRE"), (std::vector<std::string>{"Jazz", "Blues"}));
}

TEST_F(Preferences, ALowerWarningThresholdMakesTheNextLargeApplyAskAndNoLeavesTheFilesAlone) {
    lower_threshold_to_two();
    const auto before = file_bytes(music_.file(L"01 first.mp3"));
    harness::MessageBoxAnswerer boxes({IDNO});
    add_to_every_track(L"Blues");
    ASSERT_EVENTUALLY(boxes.answered() == 1);
    EXPECT_EQ(boxes.boxes()[0].text, L"You will update 3 files. Continue?");
    harness::pump_for(std::chrono::milliseconds(150));
    EXPECT_TRUE(idle());
    EXPECT_EQ(file_bytes(music_.file(L"01 first.mp3")), before);
}

TEST_F(Preferences, TheDefaultThresholdLetsThreeFilesGoWithoutAsking) {
    start();
    dock_genre_panel();
    // The fixture's guard fails the test on any box.
    add_to_every_track(L"Blues");
    ASSERT_EVENTUALLY(idle() && values_of(tags_of(music_.file(L"01 first.mp3")), "GENRE").size() == 2);
}

TEST_F(Preferences, CancelLeavesTheSettingAsItWas) {
    start();
    open();
    type_threshold(L"5");
    click_button(IDCANCEL);
    EXPECT_FALSE(window().preferences()->is_open());
    open();
    EXPECT_EQ(harness::tree_item_text(tree(), threshold_item()), std::wstring(threshold_name) + L": 100");
}

TEST_F(Preferences, SettingsAreStoredOnOkAndComeBackAfterARestart) {
    start();
    open();
    type_threshold(L"7");
    HTREEITEM console = harness::find_tree_item(tree(), console_name);
    harness::click_tree_label(tree(), console);
    ASSERT_TRUE(harness::focus(tree()));
    harness::press_key(tree(), VK_SPACE);
    harness::pump_for(std::chrono::milliseconds(30));
    EXPECT_EQ(harness::tree_state_image(tree(), console), 2) << "Space ticks the selected box";
    click_button(IDOK);
    EXPECT_NE(GetFileAttributesW(config_.file(L"player.cfg").c_str()), INVALID_FILE_ATTRIBUTES)
        << "stored at once, not only at shutdown";

    app_.reset();
    start();
    open();
    EXPECT_EQ(harness::tree_item_text(tree(), threshold_item()), std::wstring(threshold_name) + L": 7");
    EXPECT_EQ(harness::tree_state_image(tree(), harness::find_tree_item(tree(), console_name)), 2);
}

TEST_F(Preferences, ResetAllShowsTheDefaultsAndApplyStoresThem) {
    start();
    open();
    type_threshold(L"9");
    click_button(player::PreferencesDialog::id_apply);
    EXPECT_EQ(harness::tree_item_text(tree(), threshold_item()), std::wstring(threshold_name) + L": 9");
    EXPECT_FALSE(IsWindowEnabled(button(player::PreferencesDialog::id_apply)));
    click_button(player::PreferencesDialog::id_reset);
    EXPECT_EQ(harness::tree_item_text(tree(), threshold_item()), std::wstring(threshold_name) + L": 100");
    click_button(IDOK);
    open();
    EXPECT_EQ(harness::tree_item_text(tree(), threshold_item()), std::wstring(threshold_name) + L": 100");
}

TEST_F(Preferences, TextThatIsNoNumberIsRefusedWithAMessageAndTheThresholdKeepsItsValue) {
    start();
    open();
    type_threshold(L"ten");
    harness::MessageBoxAnswerer boxes({IDOK});
    click_button(IDOK);
    ASSERT_EVENTUALLY(boxes.answered() == 1);
    EXPECT_EQ(boxes.boxes()[0].caption, L"Preferences");
    EXPECT_EQ(boxes.boxes()[0].text, std::wstring(L"\"") + threshold_name +
                                         L"\": \"ten\" is not a whole number. The setting keeps its value 100.");
    EXPECT_TRUE(window().preferences()->is_open()) << "OK did not close the window over a refused value";
    EXPECT_EQ(harness::tree_item_text(tree(), threshold_item()), std::wstring(threshold_name) + L": 100");
    EXPECT_EQ(harness::selected_tree_item(tree()), threshold_item());
    EXPECT_EQ(GetFocus(), window().preferences()->advanced().value()) << "ready for another number";
    EXPECT_FALSE(IsWindowEnabled(button(player::PreferencesDialog::id_apply)));

    // Restarted, the warning still comes at 100 files: nothing became 0.
    click_button(IDOK);
    app_.reset();
    start();
    open();
    EXPECT_EQ(harness::tree_item_text(tree(), threshold_item()), std::wstring(threshold_name) + L": 100");
}

TEST_F(Preferences, ANumberTooLargeIsRefusedAndAValidOneTypedAfterIsTaken) {
    start();
    open();
    type_threshold(L"99999999999999999999");
    harness::MessageBoxAnswerer boxes({IDOK});
    click_button(player::PreferencesDialog::id_apply);
    ASSERT_EVENTUALLY(boxes.answered() == 1);
    EXPECT_NE(boxes.boxes()[0].text.find(L"99999999999999999999 is out of range"), std::wstring::npos)
        << sonavel::wide_to_utf8(boxes.boxes()[0].text);
    EXPECT_EQ(harness::tree_item_text(tree(), threshold_item()), std::wstring(threshold_name) + L": 100");
    // The value field has the keyboard with its text selected: typing replaces it.
    harness::type_text(window().preferences()->advanced().value(), L"12");
    harness::pump_for(std::chrono::milliseconds(30));
    click_button(IDOK);
    EXPECT_FALSE(window().preferences()->is_open());
    open();
    EXPECT_EQ(harness::tree_item_text(tree(), threshold_item()), std::wstring(threshold_name) + L": 12");
}

// The player's message loop hands a registered window's keys to IsDialogMessage: Enter is OK, Escape is Cancel.
TEST_F(Preferences, EnterInTheValueFieldIsOkAndEscapeIsCancelInThePlayersLoop) {
    start();
    auto route_key = [this](HWND to, UINT key) {
        for (UINT message : {UINT(WM_KEYDOWN), UINT(WM_KEYUP)}) {
            MSG msg = {to, message, key, 1, GetTickCount(), {}};
            EXPECT_TRUE(app_->host().dialogs().route(msg)) << "the window is in the host's modeless registry";
        }
        harness::pump_for(std::chrono::milliseconds(30));
    };
    open();
    type_threshold(L"3");
    route_key(window().preferences()->advanced().value(), VK_RETURN);
    EXPECT_FALSE(window().preferences()->is_open());
    open();
    EXPECT_EQ(harness::tree_item_text(tree(), threshold_item()), std::wstring(threshold_name) + L": 3");
    type_threshold(L"4");
    route_key(window().preferences()->advanced().value(), VK_ESCAPE);
    EXPECT_FALSE(window().preferences()->is_open());
    open();
    EXPECT_EQ(harness::tree_item_text(tree(), threshold_item()), std::wstring(threshold_name) + L": 3");
}

}  // namespace
}  // namespace app_test
