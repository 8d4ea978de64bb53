// Taking back tag updates in the player as a user does: Apply in the docked panel, Edit > "Undo tag
// update" and "Redo tag update" chosen from the main window's menu, the history window's Undo button,
// a restart in between and a file changed in between. What lands in the files is read back with the
// player's own reader.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "player/app/PlayerApp.h"
#include "player/app/TagReader.h"
#include "player/history/FieldChanges.h"
#include "presets/PresetStore.h"
#include "resources/resource.h"
#include "sdk/utf8.h"
#include "tests/app/audio_files.h"
#include "tests/harness/keyboard.h"
#include "tests/harness/list_view.h"
#include "tests/harness/message_box.h"
#include "tests/harness/mouse.h"
#include "tests/harness/pump.h"

namespace app_test {
namespace {

using Values = std::vector<std::string>;
using player::history::HistoryCommands;

std::wstring program_folder() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text(path, length);
    return text.substr(0, text.find_last_of(L"\\/"));
}

// The text of a menu bar entry's item, "" when there is none.
std::wstring menu_text(HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, UINT(position), text, 128, MF_BYPOSITION);
    return text;
}

class TagHistoryInPlayer : public ::testing::Test {
protected:
    TagHistoryInPlayer() {
        song(L"01 first.mp3", {"Rock"});
        song(L"02 second.mp3", {"Rock", "Pop"});
        song(L"03 third.mp3", {"Jazz"});
    }
    ~TagHistoryInPlayer() override { app_.reset(); }

    void song(const std::wstring& name, const Values& genres) {
        std::wstring path = music_.file(name);
        write_audio(path);
        TagLib::PropertyMap tags;
        tags.insert("ARTIST", string_list({"Ann"}));
        tags.insert("ALBUM", string_list({"Same album"}));
        tags.insert("GENRE", string_list(genres));
        set_tags(path, tags);
    }
    void start() {
        player::PlayerOptions options;
        options.component = program_folder() + L"\\quennet.dll";
        options.config_folder = config_.path();
        options.folders = {music_.path()};
        app_ = std::make_unique<player::PlayerApp>(options);
        harness::pump_for(std::chrono::milliseconds(50));
    }
    player::PlayerWindow& window() { return app_->window(); }
    player::HostEngines& engines() { return app_->engines(); }
    HWND playlist() { return window().playlist().window(); }
    bool idle() { return engines().io.running() == 0; }

    // The GENRE values of a file as the player reads it.
    Values genres(const std::wstring& name) {
        auto record = player::read_track_record(music_.file(name));
        if (!record) return {"<unreadable>"};
        return player::history::values_of(*record, "GENRE");
    }

    player::DockedPanel& dock_genre_panel() {
        quennet::Options preset;
        preset.name = "Genres";
        preset.metadata_field = "GENRE";
        sonavel::stream_writer_buffer config;
        sonavel::abort_callback_dummy abort;
        quennet::write_store(config, abort, preset, {preset});
        const auto& types = window().panel_types();
        auto found = std::find_if(types.begin(), types.end(), [](const auto& t) { return t.name == "Varnel Panel"; });
        EXPECT_NE(found, types.end());
        auto& docked = window().dock(found->type, config.data());
        harness::pump_for(std::chrono::milliseconds(50));
        return docked;
    }
    // Selects every track (or only the third), types the value into the panel's add box and presses
    // Enter; waits for the write.
    void apply(player::DockedPanel& docked, const std::wstring& value, bool every_track = true) {
        harness::click_label(playlist(), 2);
        if (every_track) {
            ASSERT_TRUE(harness::focus(playlist()));
            harness::press_key(playlist(), 'A', harness::modifiers::ctrl);
        }
        harness::pump_for(std::chrono::milliseconds(60));
        const HWND add = GetDlgItem(docked.window(), IDC_PANEL_ADD);
        ASSERT_TRUE(harness::focus(add));
        harness::type_text(add, value);
        harness::press_key(add, VK_RETURN);
        const std::string written = sonavel::wide_to_utf8(value);
        ASSERT_EVENTUALLY(idle() && genres(L"03 third.mp3").back() == written);
        harness::pump_for(std::chrono::milliseconds(40));
    }
    // Chooses an item of the main window's Edit menu (the menu sends the frame WM_COMMAND).
    void choose(UINT command) {
        ASSERT_TRUE(edit_item_enabled(command)) << "the menu offers it";
        PostMessageW(window().frame(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        harness::pump_for(std::chrono::milliseconds(20));
        ASSERT_EVENTUALLY(idle());
        harness::pump_for(std::chrono::milliseconds(40));
    }
    HMENU edit_menu() {
        HMENU bar = GetMenu(window().frame());
        for (int i = 0; i < GetMenuItemCount(bar); ++i)
            if (menu_text(bar, i) == L"&Edit") return GetSubMenu(bar, i);
        return nullptr;
    }
    bool edit_item_enabled(UINT command) {
        HMENU edit = edit_menu();
        // What the menu shows when it opens.
        SendMessageW(window().frame(), WM_INITMENUPOPUP, WPARAM(edit), 1);
        return edit && !(GetMenuState(edit, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
    }

    harness::UnexpectedBoxGuard no_boxes_;
    TempFolder music_, config_;
    std::unique_ptr<player::PlayerApp> app_;
};

TEST_F(TagHistoryInPlayer, EditMenuOffersUndoRedoAndTheHistory) {
    start();
    HMENU bar = GetMenu(window().frame());
    ASSERT_GE(GetMenuItemCount(bar), 3);
    EXPECT_EQ(menu_text(bar, 0), L"&File");
    EXPECT_EQ(menu_text(bar, 1), L"&Edit");
    HMENU edit = edit_menu();
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(edit_item_enabled(HistoryCommands::command_undo)) << "nothing written yet";
    // Opened, the menu shows each entry's key.
    EXPECT_EQ(menu_text(edit, 0), L"&Undo tag update\tCtrl+Z");
    EXPECT_EQ(menu_text(edit, 1), L"&Redo tag update\tCtrl+Y");
    EXPECT_EQ(menu_text(edit, 3), L"Tag update &history...\tCtrl+H");
    EXPECT_FALSE(edit_item_enabled(HistoryCommands::command_redo));
}

TEST_F(TagHistoryInPlayer, ApplyThenUndoRestoresTheFilesExactlyAndRedoWritesThemAgain) {
    start();
    auto& docked = dock_genre_panel();
    apply(docked, L"Blues");
    ASSERT_EQ(genres(L"01 first.mp3"), (Values{"Rock", "Blues"}));
    ASSERT_EQ(genres(L"02 second.mp3"), (Values{"Rock", "Pop", "Blues"}));
    ASSERT_EQ(genres(L"03 third.mp3"), (Values{"Jazz", "Blues"}));

    choose(HistoryCommands::command_undo);
    EXPECT_EQ(genres(L"01 first.mp3"), (Values{"Rock"}));
    EXPECT_EQ(genres(L"02 second.mp3"), (Values{"Rock", "Pop"}));
    EXPECT_EQ(genres(L"03 third.mp3"), (Values{"Jazz"}));
    auto other_fields = tags_of(music_.file(L"03 third.mp3"));
    EXPECT_EQ(values_of(other_fields, "ARTIST"), (Values{"Ann"}));
    EXPECT_EQ(values_of(other_fields, "ALBUM"), (Values{"Same album"}));
    EXPECT_EVENTUALLY(harness::item_text(playlist(), 0, player::PlaylistView::column_genre) == L"Rock");
    EXPECT_FALSE(edit_item_enabled(HistoryCommands::command_undo));

    choose(HistoryCommands::command_redo);
    EXPECT_EQ(genres(L"01 first.mp3"), (Values{"Rock", "Blues"}));
    EXPECT_EQ(genres(L"02 second.mp3"), (Values{"Rock", "Pop", "Blues"}));
    EXPECT_EQ(genres(L"03 third.mp3"), (Values{"Jazz", "Blues"}));
}

TEST_F(TagHistoryInPlayer, AnUpdateIsUndoneAfterARestart) {
    start();
    apply(dock_genre_panel(), L"Blues");
    app_.reset();
    EXPECT_NE(GetFileAttributesW(config_.file(L"history.db").c_str()), INVALID_FILE_ATTRIBUTES);

    start();
    choose(HistoryCommands::command_undo);
    EXPECT_EQ(genres(L"01 first.mp3"), (Values{"Rock"}));
    EXPECT_EQ(genres(L"02 second.mp3"), (Values{"Rock", "Pop"}));
    EXPECT_EQ(genres(L"03 third.mp3"), (Values{"Jazz"}));
}

TEST_F(TagHistoryInPlayer, AFileChangedInBetweenIsSkippedAndReported) {
    start();
    apply(dock_genre_panel(), L"Blues");
    // Another program rewrites the second file's genre.
    TagLib::PropertyMap tags = tags_of(music_.file(L"02 second.mp3"));
    tags.replace("GENRE", string_list({"Soul"}));
    set_tags(music_.file(L"02 second.mp3"), tags);

    harness::MessageBoxAnswerer boxes({IDOK});
    choose(HistoryCommands::command_undo);
    EXPECT_EQ(genres(L"01 first.mp3"), (Values{"Rock"}));
    EXPECT_EQ(genres(L"02 second.mp3"), (Values{"Soul"})) << "not overwritten";
    EXPECT_EQ(genres(L"03 third.mp3"), (Values{"Jazz"}));
    // One message: the undo's list with the values now and the values recorded, not the writer's report too.
    ASSERT_EVENTUALLY(boxes.answered() == 1);
    harness::pump_for(std::chrono::milliseconds(200));
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.unexpected(), 0u);
    const std::wstring& undo = boxes.boxes()[0].text;
    EXPECT_EQ(boxes.boxes()[0].caption, L"Undo tag update");
    EXPECT_NE(undo.find(L"1 file was not restored (changed since the update)"), std::wstring::npos)
        << sonavel::wide_to_utf8(undo);
    EXPECT_NE(undo.find(L"02 second.mp3: GENRE is \"Soul\", the update wrote \"Rock\"; \"Pop\"; \"Blues\""),
              std::wstring::npos)
        << sonavel::wide_to_utf8(undo);
    EXPECT_EQ(undo.find(L"changed by another program"), std::wstring::npos) << sonavel::wide_to_utf8(undo);
}

TEST_F(TagHistoryInPlayer, TheHistoryWindowListsUpdatesAndUndoesTheChosenOne) {
    start();
    auto& docked = dock_genre_panel();
    apply(docked, L"Blues");
    // A later update changes the third file again.
    apply(docked, L"Funk", false);
    choose(HistoryCommands::command_history);
    HWND history = FindWindowW(L"PlayerTagUpdateHistory", L"Tag update history");
    ASSERT_NE(history, nullptr);
    ASSERT_TRUE(IsWindowVisible(history));
    HWND list = GetDlgItem(history, player::history::HistoryWindow::id_list);
    ASSERT_EQ(harness::item_count(list), 2);
    EXPECT_EQ(harness::item_text(list, 0, 1), L"Apply in Varnel Panel");
    EXPECT_EQ(harness::item_text(list, 0, 2), L"1");
    EXPECT_EQ(harness::item_text(list, 1, 2), L"3");
    EXPECT_EQ(harness::item_text(list, 1, 3), L"GENRE");
    EXPECT_EQ(harness::item_text(list, 1, 4), L"");
    wchar_t bound[200] = {};
    GetWindowTextW(GetDlgItem(history, player::history::HistoryWindow::id_bound), bound, 200);
    EXPECT_EQ(std::wstring(bound), L"The last 100 updates or 1,000,000 changed values are kept, whichever is more.");

    // The older update, Blues, is taken back where nothing changed since; the third file is left alone.
    harness::MessageBoxAnswerer boxes({IDOK});
    harness::click_label(list, 1);
    HWND undo = GetDlgItem(history, player::history::HistoryWindow::id_undo);
    ASSERT_TRUE(IsWindowEnabled(undo));
    harness::click(undo, harness::centre_of(undo));
    ASSERT_EVENTUALLY(idle() && boxes.answered() == 1);
    EXPECT_EQ(genres(L"01 first.mp3"), (Values{"Rock"}));
    EXPECT_EQ(genres(L"02 second.mp3"), (Values{"Rock", "Pop"}));
    EXPECT_EQ(genres(L"03 third.mp3"), (Values{"Jazz", "Blues", "Funk"}));
    EXPECT_NE(boxes.boxes()[0].text.find(L"03 third.mp3: GENRE is \"Jazz\"; \"Blues\"; \"Funk\", the update wrote "
                                         L"\"Jazz\"; \"Blues\""),
              std::wstring::npos)
        << sonavel::wide_to_utf8(boxes.boxes()[0].text);
    ASSERT_EVENTUALLY(harness::item_count(list) == 3);
    EXPECT_EQ(harness::item_text(list, 0, 1), L"Undo: Apply in Varnel Panel");
    EXPECT_EQ(harness::item_text(list, 0, 2), L"2");
    EXPECT_EQ(harness::item_text(list, 2, 4), L"Taken back");
    EXPECT_FALSE(IsWindowEnabled(undo)) << "the chosen update is taken back";
}

TEST_F(TagHistoryInPlayer, CtrlZAndCtrlYTakeBackAndRedoTheLastUpdateFromThePlaylistAndFromThePanel) {
    start();
    auto& docked = dock_genre_panel();
    apply(docked, L"Blues");
    harness::press_key(playlist(), 'Z', harness::modifiers::ctrl);
    ASSERT_EVENTUALLY(idle() && genres(L"03 third.mp3") == (Values{"Jazz"}));
    EXPECT_EQ(genres(L"01 first.mp3"), (Values{"Rock"}));

    // In the panel's list the key reaches the player through the panel's hand-over of keys.
    HWND panel_list = GetDlgItem(docked.window(), IDC_PANEL_VALUE_LIST);
    harness::press_key(panel_list, 'Y', harness::modifiers::ctrl);
    ASSERT_EVENTUALLY(idle() && genres(L"03 third.mp3") == (Values{"Jazz", "Blues"}));
    EXPECT_EQ(genres(L"01 first.mp3"), (Values{"Rock", "Blues"}));
}

TEST_F(TagHistoryInPlayer, CtrlZTypedIntoThePanelsTextBoxLeavesTheTagsAlone) {
    start();
    auto& docked = dock_genre_panel();
    apply(docked, L"Blues");
    HWND add = GetDlgItem(docked.window(), IDC_PANEL_ADD);
    harness::press_key(add, 'Z', harness::modifiers::ctrl);
    harness::pump_for(std::chrono::milliseconds(200));
    EXPECT_TRUE(idle());
    EXPECT_EQ(genres(L"03 third.mp3"), (Values{"Jazz", "Blues"}));
}

TEST_F(TagHistoryInPlayer, TheHistoryWindowOpensOverTheMainWindowAndEscapeClosesIt) {
    start();
    // Away from the screen's corner, where a window without a place of its own would open.
    SetWindowPos(window().frame(), nullptr, 200, 150, 900, 600, SWP_NOZORDER);
    harness::press_key(playlist(), 'H', harness::modifiers::ctrl);
    HWND history = nullptr;
    ASSERT_EVENTUALLY((history = FindWindowW(L"PlayerTagUpdateHistory", L"Tag update history")) && IsWindowVisible(history));
    RECT frame = {}, own = {};
    GetWindowRect(window().frame(), &frame);
    GetWindowRect(history, &own);
    EXPECT_NEAR((own.left + own.right) / 2, (frame.left + frame.right) / 2, 2);
    EXPECT_NEAR((own.top + own.bottom) / 2, (frame.top + frame.bottom) / 2, 2);

    HWND list = GetDlgItem(history, player::history::HistoryWindow::id_list);
    harness::press_key(list, VK_ESCAPE);
    EXPECT_EVENTUALLY(!IsWindowVisible(history));
}

TEST_F(TagHistoryInPlayer, TheHistoryWindowShowsWhatTheChosenUpdateChanged) {
    start();
    apply(dock_genre_panel(), L"Blues");
    choose(HistoryCommands::command_history);
    HWND history = FindWindowW(L"PlayerTagUpdateHistory", L"Tag update history");
    ASSERT_NE(history, nullptr);
    HWND list = GetDlgItem(history, player::history::HistoryWindow::id_list);
    harness::click_label(list, 0);
    wchar_t text[2000] = {};
    GetWindowTextW(GetDlgItem(history, player::history::HistoryWindow::id_details), text, 2000);
    EXPECT_EQ(std::wstring(text),
              L"GENRE: \"Rock\" -> \"Rock\"; \"Blues\" (1 file: 01 first.mp3)\r\n"
              L"GENRE: \"Rock\"; \"Pop\" -> \"Rock\"; \"Pop\"; \"Blues\" (1 file: 02 second.mp3)\r\n"
              L"GENRE: \"Jazz\" -> \"Jazz\"; \"Blues\" (1 file: 03 third.mp3)\r\n");
}

}  // namespace
}  // namespace app_test
