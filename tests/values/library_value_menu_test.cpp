// "Library values" in the panel's menu, worked as a user works it: the menu opened on a value, the submenu
// chosen from the keyboard, the preview dialog read, typed into and answered with a click, the files
// written in one step and an undo taking the step back whole.
#include "panel/model/LibraryValueMenu.h"
#include "resources/library_values_ids.h"
#include "resources/resource.h"
#include "tests/harness/keyboard.h"
#include "tests/harness/mouse.h"
#include "tests/options/dialog_script.h"
#include "tests/values/values_fixture.h"
#include "tests/window/menu_reader.h"

namespace {

using values_test::Strings;

std::wstring text_of(HWND dialog, int id) {
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

// Keys that open the submenu at the end of the menu and choose its `index`-th item.
void choose_in_library_values(int index) {
    std::vector<WORD> codes{VK_UP, VK_RIGHT};
    for (int i = 0; i < index; ++i) codes.push_back(VK_DOWN);
    codes.push_back(VK_RETURN);
    std::vector<INPUT> keys;
    for (WORD code : codes) {
        for (DWORD flags : {DWORD(0), DWORD(KEYEVENTF_KEYUP)}) {
            INPUT key{};
            key.type = INPUT_KEYBOARD;
            key.ki.wVk = code;
            key.ki.dwFlags = flags;
            keys.push_back(key);
        }
    }
    SendInput(UINT(keys.size()), keys.data(), sizeof(INPUT));
}

class LibraryValueMenu : public values_test::LibraryValues {
protected:
    // Opens the panel's menu with the cursor on the row of `value` and chooses the submenu's item.
    void open_menu_on(player::DockedPanel& docked, const std::wstring& value, int item) {
        const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
        RECT row{LVIR_LABEL};
        SendMessageW(list, LVM_GETITEMRECT, WPARAM(row_of(list, value)), LPARAM(&row));
        harness::rest_mouse(list, POINT{(row.left + row.right) / 2, (row.top + row.bottom) / 2});
        ASSERT_TRUE(harness::focus(list));
        window_test::MenuReader reader([item] { choose_in_library_values(item); });
        SendMessageW(docked.window(), WM_CONTEXTMENU, WPARAM(list), MAKELPARAM(-1, -1));
        ASSERT_TRUE(reader.seen);
        ASSERT_GE(reader.items.size(), 3u);
        EXPECT_EQ(reader.items[reader.items.size() - 3], L"Help") << "the panel's own items keep their places";
        EXPECT_EQ(reader.items.back(), L"Library values");
    }
};

TEST_F(LibraryValueMenu, RenameShowsThePreviewWritesEveryFileAndUndoTakesItBack) {
    auto& docked = dock(preset("Genres", "GENRE", "Hip Hop;Jazz"));
    auto& panel = panel_of(docked);
    library({{"Jazz", "Hip Hop"}, {"Hip-Hop", "Hip Hop"}, {"Rock"}, {"Hip Hop"}});
    const auto before = all_genres();

    options_test::DialogScript script;
    std::wstring summary, note, files;
    script.in(L"Rename value in the library", [&](HWND dialog) {
        EXPECT_EQ(text_of(dialog, IDC_LIBRARY_VALUE_NEW), L"Hip Hop");
        EXPECT_EQ(text_of(dialog, IDC_LIBRARY_VALUE_SUMMARY), L"The new value is the value itself.");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        // The value is selected: typing replaces it.
        harness::type_text(GetDlgItem(dialog, IDC_LIBRARY_VALUE_NEW), L"Hip-Hop");
    });
    script.in(L"Rename value in the library", [&](HWND dialog) {
        summary = text_of(dialog, IDC_LIBRARY_VALUE_SUMMARY);
        note = text_of(dialog, IDC_LIBRARY_VALUE_NOTE);
        files = text_of(dialog, IDC_LIBRARY_VALUE_FILES);
        const HWND button = GetDlgItem(dialog, IDOK);
        EXPECT_EQ(text_of(dialog, IDOK), L"Rename");
        harness::click(button, harness::centre_of(button));
    });
    script.run([&] { open_menu_on(docked, L"Hip Hop", 0); });
    EXPECT_EQ(summary, L"Rename 'Hip Hop' to 'Hip-Hop' in 3 files");
    EXPECT_EQ(note, L"merge into 'Hip-Hop' (1 file carries both: they keep one)");
    EXPECT_EQ(files, L"0.flac\r\n1.flac\r\n3.flac\r\n");

    ASSERT_EVENTUALLY(engines().io.running() == 0 && !panel.model()->busy());
    EXPECT_EQ(all_genres(), (std::vector<Strings>{{"Jazz", "Hip-Hop"}, {"Hip-Hop"}, {"Rock"}, {"Hip-Hop"}}));
    auto recent = history_->store().recent(5);
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_EQ(recent[0].files, 3);
    settle();
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    EXPECT_EQ(row_of(list, L"Hip-Hop") >= 0, true);

    ASSERT_TRUE(undo_latest());
    EXPECT_EQ(all_genres(), before);
    settle();
}

TEST_F(LibraryValueMenu, RemoveAskedAndCancelledWritesNothing) {
    auto& docked = dock(preset("Genres", "GENRE", "Rock"));
    library({{"Rock", "Pop"}, {"Rock"}, {"Jazz"}});
    const auto before = all_genres();

    options_test::DialogScript script;
    std::wstring summary;
    script.in(L"Remove value from the library", [&](HWND dialog) {
        summary = text_of(dialog, IDC_LIBRARY_VALUE_SUMMARY);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_LIBRARY_VALUE_NEW)));
        const HWND button = GetDlgItem(dialog, IDCANCEL);
        harness::click(button, harness::centre_of(button));
    });
    script.run([&] { open_menu_on(docked, L"Rock", 1); });
    EXPECT_EQ(summary, L"Remove 'Rock' from 2 files");
    harness::pump_for(std::chrono::milliseconds(60));
    EXPECT_EQ(engines().io.running(), 0);
    EXPECT_EQ(all_genres(), before);
    EXPECT_TRUE(history_->store().recent(1).empty());
}

TEST_F(LibraryValueMenu, RemoveConfirmedTakesTheValueFromEveryFile) {
    auto& docked = dock(preset("Genres", "GENRE", "Rock"));
    auto& panel = panel_of(docked);
    library({{"Rock", "Pop"}, {"Rock"}, {"Jazz"}});

    options_test::DialogScript script;
    script.in(L"Remove value from the library", [&](HWND dialog) {
        const HWND button = GetDlgItem(dialog, IDOK);
        EXPECT_EQ(text_of(dialog, IDOK), L"Remove");
        harness::click(button, harness::centre_of(button));
    });
    script.run([&] { open_menu_on(docked, L"Rock", 1); });
    ASSERT_EVENTUALLY(engines().io.running() == 0 && !panel.model()->busy());
    EXPECT_EQ(all_genres(), (std::vector<Strings>{{"Pop"}, {}, {"Jazz"}}));
    EXPECT_EQ(history_->store().recent(1)[0].origin, "Remove value in Varnel Panel");
    settle();
}

TEST_F(LibraryValueMenu, SplitWritesThePiecesAtTheChosenSeparators) {
    auto& docked = dock(preset("Genres", "GENRE"));
    auto& panel = panel_of(docked);
    library({{"Jazz; Acoustic/Live", "Live"}, {"Rock"}});

    options_test::DialogScript script;
    std::wstring first, second;
    script.in(L"Split value in the library", [&](HWND dialog) {
        first = text_of(dialog, IDC_LIBRARY_VALUE_SUMMARY);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_LIBRARY_VALUE_COMMA))) << "the value holds no ','";
        const HWND slash = GetDlgItem(dialog, IDC_LIBRARY_VALUE_SLASH);
        harness::click(slash, POINT{5, 5});
    });
    script.in(L"Split value in the library", [&](HWND dialog) {
        second = text_of(dialog, IDC_LIBRARY_VALUE_SUMMARY);
        const HWND button = GetDlgItem(dialog, IDOK);
        harness::click(button, harness::centre_of(button));
    });
    // Opened on a value that holds separators, the submenu offers the split third.
    script.run([&] { open_menu_on(docked, L"Jazz; Acoustic/Live", 2); });
    EXPECT_EQ(first, L"Split 'Jazz; Acoustic/Live' into 3 values in 1 file");
    EXPECT_EQ(second, L"Split 'Jazz; Acoustic/Live' into 2 values in 1 file");
    ASSERT_EVENTUALLY(engines().io.running() == 0 && !panel.model()->busy());
    EXPECT_EQ(all_genres(), (std::vector<Strings>{{"Jazz", "Acoustic/Live", "Live"}, {"Rock"}}));
    settle();
}

std::vector<std::wstring> list_lines(HWND list) {
    std::vector<std::wstring> lines;
    for (int i = 0; i < int(SendMessageW(list, LB_GETCOUNT, 0, 0)); ++i) {
        std::wstring line(std::size_t(SendMessageW(list, LB_GETTEXTLEN, WPARAM(i), 0)), L'\0');
        SendMessageW(list, LB_GETTEXT, WPARAM(i), LPARAM(line.data()));
        lines.push_back(line);
    }
    return lines;
}

TEST_F(LibraryValueMenu, FindSimilarValuesMergesTheGroupIntoTheValueChosen) {
    auto& docked = dock(preset("Genres", "GENRE"));
    auto& panel = panel_of(docked);
    library({{"Hip Hop", "Jazz"}, {"hip hop"}, {"Hip-Hop", "Hip Hop"}, {"HipHop"}, {"Rock"}, {"rock"}, {"Jazz"}});

    options_test::DialogScript script;
    std::vector<std::wstring> lines;
    std::wstring summary;
    script.in(L"Similar values", [&](HWND dialog) {
        const HWND list = GetDlgItem(dialog, IDC_SIMILAR_VALUES_LIST);
        lines = list_lines(list);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_SIMILAR_VALUES_KEEP))) << "nothing chosen yet";
        RECT line{};
        SendMessageW(list, LB_GETITEMRECT, 2, LPARAM(&line));  // "Hip-Hop"
        harness::click(list, POINT{line.left + 40, (line.top + line.bottom) / 2});
    });
    script.in(L"Similar values", [&](HWND dialog) {
        const HWND keep = GetDlgItem(dialog, IDC_SIMILAR_VALUES_KEEP);
        EXPECT_TRUE(IsWindowEnabled(keep));
        harness::click(keep, harness::centre_of(keep));
    });
    script.in(L"Rename value in the library", [&](HWND dialog) {
        summary = text_of(dialog, IDC_LIBRARY_VALUE_SUMMARY);
        const HWND button = GetDlgItem(dialog, IDOK);
        harness::click(button, harness::centre_of(button));
    });
    script.run([&] { open_menu_on(docked, L"Jazz", 2); });
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"4 values, 5 files:", L"      Hip Hop  (2 files)", L"      Hip-Hop  (1 file)",
                                                L"      HipHop  (1 file)", L"      hip hop  (1 file)", L"2 values, 2 files:",
                                                L"      Rock  (1 file)", L"      rock  (1 file)"}));
    EXPECT_EQ(summary, L"Rename 'Hip Hop', 'HipHop', 'hip hop' to 'Hip-Hop' in 4 files");
    ASSERT_EVENTUALLY(engines().io.running() == 0 && !panel.model()->busy());
    EXPECT_EQ(all_genres(), (std::vector<Strings>{{"Hip-Hop", "Jazz"}, {"Hip-Hop"}, {"Hip-Hop"}, {"Hip-Hop"}, {"Rock"},
                                                  {"rock"}, {"Jazz"}}));
    EXPECT_EQ(history_->store().recent(5).size(), 1u) << "one step for the whole group";
    settle();
}

TEST_F(LibraryValueMenu, PendingEditsLeaveTheMenuAsItWas) {
    auto& docked = dock(preset("Genres", "GENRE", "Rock"));
    library({{"Pop"}});
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    harness::click_check_box(list, row_of(list, L"Rock"));
    window_test::MenuReader reader;
    SendMessageW(docked.window(), WM_CONTEXTMENU, WPARAM(list), MAKELPARAM(10, 10));
    EXPECT_EQ(reader.items, (std::vector<std::wstring>{L"Apply", L"Revert", L"-", L"Help"}));
}

}  // namespace
