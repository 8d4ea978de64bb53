// The player as a user meets it: quennet.dll loaded from beside the program, a music folder of real files
// in the playlist, the component's panel docked, clicks and keys, and the tags that land in the files.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "player/app/PlayerApp.h"
#include "player/app/TrackContextMenu.h"
#include "presets/PresetStore.h"
#include "resources/resource.h"
#include "sdk/utf8.h"
#include "sdk/win/unique_handle.h"
#include "tests/app/audio_files.h"
#include "tests/harness/keyboard.h"
#include "tests/harness/list_view.h"
#include "tests/harness/message_box.h"
#include "tests/harness/pump.h"

namespace app_test {
namespace {

std::wstring program_folder() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text(path, length);
    return text.substr(0, text.find_last_of(L"\\/"));
}

class Player : public ::testing::Test {
protected:
    Player() {
        song(L"01 first.mp3", "Ann", {"Rock"});
        song(L"02 second.mp3", "Bob", {"Rock", "Pop"});
        song(L"03 third.wav", "Cid", {"Jazz"});
    }
    ~Player() override { app_.reset(); }

    void song(const std::wstring& name, const std::string& artist, const std::vector<std::string>& genres) {
        std::wstring path = music_.file(name);
        write_audio(path);
        TagLib::PropertyMap tags;
        tags.insert("ARTIST", string_list({artist}));
        tags.insert("TITLE", string_list({sonavel::wide_to_utf8(name)}));
        tags.insert("GENRE", string_list(genres));
        set_tags(path, tags);
    }
    // Starts the player, the music folder named on the command line (or, without it, the library as
    // stored), and waits for the library's scan.
    void start(bool with_folder = true) {
        player::PlayerOptions options;
        options.component = program_folder() + L"\\quennet.dll";
        options.config_folder = config_.path();
        if (with_folder) options.folders = {music_.path()};
        app_ = std::make_unique<player::PlayerApp>(options);
        ASSERT_TRUE(harness::pump_until([&] { return !app_->library().scanning(); }, std::chrono::seconds(30)));
        harness::pump_for(std::chrono::milliseconds(50));
    }
    HWND tabs() { return window().tabs().window(); }
    std::wstring tab_text(int index) {
        wchar_t text[128] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 128;
        TabCtrl_GetItem(tabs(), index, &item);
        return text;
    }
    // Clicks a tab where the user would.
    void click_tab(int index) {
        RECT bounds;
        ASSERT_TRUE(TabCtrl_GetItemRect(tabs(), index, &bounds));
        LPARAM at = MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
        PostMessageW(tabs(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(tabs(), WM_LBUTTONUP, 0, at);
        harness::pump_for(std::chrono::milliseconds(40));
    }
    // Moves a file's time of last write on, as a later edit by another program would.
    static void touch_later(const std::wstring& path) {
        sonavel::unique_kernel_handle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
        FILETIME written;
        ASSERT_TRUE(GetFileTime(file.get(), nullptr, nullptr, &written));
        ULARGE_INTEGER t = {{written.dwLowDateTime, written.dwHighDateTime}};
        t.QuadPart += 10'000'000ull * 120;
        written = {t.LowPart, t.HighPart};
        ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &written));
    }

    player::PlayerWindow& window() { return app_->window(); }
    player::HostEngines& engines() { return app_->engines(); }
    HWND playlist() { return window().playlist().window(); }

    const player::PlayerWindow::PanelType* varnel_type() {
        const auto& types = window().panel_types();
        auto found = std::find_if(types.begin(), types.end(), [](const auto& t) { return t.name == "Varnel Panel"; });
        return found == types.end() ? nullptr : &*found;
    }
    // A panel of the component editing GENRE, with Jazz among its preset values, as the View menu docks it
    // and the panel host hands it its stored configuration.
    player::DockedPanel& dock_genre_panel() {
        quennet::Options preset;
        preset.name = "Genres";
        preset.metadata_field = "GENRE";
        preset.add_tags("Jazz", ';');
        sonavel::stream_writer_buffer config;
        sonavel::abort_callback_dummy abort;
        quennet::write_store(config, abort, preset, {preset});
        auto& docked = window().dock(varnel_type()->type, config.data());
        harness::pump_for(std::chrono::milliseconds(50));
        return docked;
    }
    static int row_of(HWND list, const std::wstring& text) {
        for (int i = 0; i < harness::item_count(list); ++i)
            if (harness::item_text(list, i) == text) return i;
        return -1;
    }
    bool idle() { return engines().io.running() == 0; }

    harness::UnexpectedBoxGuard no_boxes_;
    TempFolder music_, config_;
    std::unique_ptr<player::PlayerApp> app_;
};

TEST_F(Player, StartsWithTheFolderInThePlaylistAndThePanelTypeInTheViewMenu) {
    start();
    ASSERT_EQ(harness::item_count(playlist()), 3);
    EXPECT_EQ(harness::item_text(playlist(), 1, player::PlaylistView::column_genre), L"Rock; Pop");
    EXPECT_EQ(harness::item_text(playlist(), 2, player::PlaylistView::column_file), L"03 third.wav");
    ASSERT_NE(varnel_type(), nullptr);

    HMENU bar = GetMenu(window().frame());
    HMENU view = nullptr;
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        wchar_t text[32] = {};
        GetMenuStringW(bar, UINT(i), text, 32, MF_BYPOSITION);
        if (std::wstring(text) == L"&View") view = GetSubMenu(bar, i);
    }
    ASSERT_NE(view, nullptr);
    bool listed = false;
    for (int i = 0; i < GetMenuItemCount(view); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(view, UINT(i), text, 64, MF_BYPOSITION);
        if (std::wstring(text) == L"Varnel Panel") {
            listed = true;
            window().run_command(GetMenuItemID(view, i));
        }
    }
    EXPECT_TRUE(listed);
    ASSERT_EQ(window().docked().size(), 1u) << "choosing the entry docks a panel";
    EXPECT_TRUE(IsWindowVisible(window().docked()[0]->window()));
}

TEST_F(Player, TickingAValueInTheDockedPanelAndApplyingWritesItIntoTheSelectedFiles) {
    start();
    auto& docked = dock_genre_panel();
    const HWND values = GetDlgItem(docked.window(), IDC_PANEL_VALUE_LIST);
    ASSERT_NE(values, nullptr);

    harness::click_label(playlist(), 0);
    harness::pump_for(std::chrono::milliseconds(40));
    POINT at = harness::label_point(playlist(), 1);
    // Ctrl+click adds the second track to the selection.
    ClientToScreen(playlist(), &at);
    SetCursorPos(at.x, at.y);
    harness::pump_for(std::chrono::milliseconds(40));
    POINT client = harness::label_point(playlist(), 1);
    PostMessageW(playlist(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(client.x, client.y));
    PostMessageW(playlist(), WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(client.x, client.y));
    ASSERT_EVENTUALLY(row_of(values, L"Pop") >= 0 && row_of(values, L"Jazz") >= 0);
    EXPECT_EQ(engines().playlists.get_selected_items(engines().playlists.get_active_playlist()).size(), 2u);
    EXPECT_EQ(harness::state_image(values, row_of(values, L"Rock")), 2) << "both selected tracks carry Rock";
    EXPECT_EQ(harness::state_image(values, row_of(values, L"Jazz")), 1);

    harness::click_check_box(values, row_of(values, L"Jazz"));
    ASSERT_EQ(harness::state_image(values, row_of(values, L"Jazz")), 2);
    const HWND add = GetDlgItem(docked.window(), IDC_PANEL_ADD);
    ASSERT_TRUE(harness::focus(add));
    harness::press_key(add, VK_RETURN);

    ASSERT_EVENTUALLY(idle() && values_of(tags_of(music_.file(L"01 first.mp3")), "GENRE").size() == 2);
    EXPECT_EQ(values_of(tags_of(music_.file(L"01 first.mp3")), "GENRE"), (std::vector<std::string>{"Rock", "Jazz"}));
    EXPECT_EQ(values_of(tags_of(music_.file(L"02 second.mp3")), "GENRE"),
              (std::vector<std::string>{"Rock", "Pop", "Jazz"}));
    EXPECT_EQ(values_of(tags_of(music_.file(L"02 second.mp3")), "ARTIST"), (std::vector<std::string>{"Bob"}));
    EXPECT_EQ(values_of(tags_of(music_.file(L"03 third.wav")), "GENRE"), (std::vector<std::string>{"Jazz"}))
        << "an unselected file is not touched";
    EXPECT_EVENTUALLY(harness::item_text(playlist(), 0, player::PlaylistView::column_genre) == L"Rock; Jazz");
}

TEST_F(Player, AValueTypedIntoTheAddBoxReachesEverySelectedFileAndAReadOnlyOneStaysAsItWas) {
    start();
    auto& docked = dock_genre_panel();
    const std::wstring locked = music_.file(L"03 third.wav");
    const auto locked_bytes = file_bytes(locked);
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    // The user is told which file was not written, and why.
    harness::MessageBoxAnswerer boxes({IDOK});

    harness::click_label(playlist(), 1);
    ASSERT_TRUE(harness::focus(playlist()));
    harness::press_key(playlist(), 'A', harness::modifiers::ctrl);
    harness::pump_for(std::chrono::milliseconds(60));
    const HWND add = GetDlgItem(docked.window(), IDC_PANEL_ADD);
    ASSERT_TRUE(harness::focus(add));
    harness::type_text(add, L"Blues");
    harness::press_key(add, VK_RETURN);

    ASSERT_EVENTUALLY(idle() && values_of(tags_of(music_.file(L"01 first.mp3")), "GENRE").size() == 2);
    EXPECT_EQ(values_of(tags_of(music_.file(L"01 first.mp3")), "GENRE"), (std::vector<std::string>{"Rock", "Blues"}));
    EXPECT_EQ(values_of(tags_of(music_.file(L"02 second.mp3")), "GENRE"),
              (std::vector<std::string>{"Rock", "Pop", "Blues"}));
    EXPECT_EQ(file_bytes(locked), locked_bytes);
    auto lines = engines().console.lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("Could not update tags of") != std::string::npos && line.find("03 third.wav") != std::string::npos;
    }));
    ASSERT_EVENTUALLY(boxes.answered() == 1);
    const std::wstring& text = boxes.boxes()[0].text;
    EXPECT_NE(text.find(L"1 file was not updated"), std::wstring::npos) << sonavel::wide_to_utf8(text);
    EXPECT_NE(text.find(L"03 third.wav: Access denied"), std::wstring::npos) << sonavel::wide_to_utf8(text);
}

TEST_F(Player, DockedPanelsAndTheComponentsConfigurationComeBackAfterARestart) {
    start();
    dock_genre_panel();
    app_.reset();
    EXPECT_NE(GetFileAttributesW(config_.file(L"layout.cfg").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW(config_.file(L"player.cfg").c_str()), INVALID_FILE_ATTRIBUTES);

    start();
    ASSERT_EQ(window().docked().size(), 1u);
    EXPECT_EQ(window().docked()[0]->panel()->get_guid(), varnel_type()->type);
    // The panel got its preset back: it shows the preset's value without any selection.
    const HWND values = GetDlgItem(window().docked()[0]->window(), IDC_PANEL_VALUE_LIST);
    EXPECT_EVENTUALLY(row_of(values, L"Jazz") >= 0);
}

TEST_F(Player, ClosingThePlayerWritesTheTicksADockedPanelHasPending) {
    start();
    auto& docked = dock_genre_panel();
    const HWND values = GetDlgItem(docked.window(), IDC_PANEL_VALUE_LIST);
    harness::click_label(playlist(), 0);
    ASSERT_EVENTUALLY(row_of(values, L"Rock") >= 0 && row_of(values, L"Jazz") >= 0);
    harness::click_check_box(values, row_of(values, L"Jazz"));
    ASSERT_EQ(harness::state_image(values, row_of(values, L"Jazz")), 2);
    app_.reset();
    EXPECT_EQ(values_of(tags_of(music_.file(L"01 first.mp3")), "GENRE"), (std::vector<std::string>{"Rock", "Jazz"}));
    EXPECT_EQ(values_of(tags_of(music_.file(L"02 second.mp3")), "GENRE"), (std::vector<std::string>{"Rock", "Pop"}));
}

TEST_F(Player, TheSelectionsContextMenuOffersTheComponentsEntry) {
    start();
    harness::click_label(playlist(), 0);
    player::TrackContextMenu menu(window().playlist().selected_tracks(),
                                  sonavel::contextmenu_item::caller_active_playlist_selection);
    bool offered = false;
    for (int i = 0; i < GetMenuItemCount(menu.menu()); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu.menu(), UINT(i), text, 64, MF_BYPOSITION);
        if (std::wstring(text) == L"Tag in varnel panel") offered = GetSubMenu(menu.menu(), i) != nullptr;
    }
    EXPECT_TRUE(offered);
}

TEST_F(Player, ClosesWithAPopupWindowOpenAndKeepsItsConfiguration) {
    start();
    harness::click_label(playlist(), 0);
    {
        player::TrackContextMenu menu(window().playlist().selected_tracks(),
                                      sonavel::contextmenu_item::caller_active_playlist_selection);
        // "Tag in varnel panel" → "Default": a popup window holding a new panel.
        HMENU submenu = nullptr;
        for (int i = 0; i < GetMenuItemCount(menu.menu()); ++i) {
            wchar_t text[64] = {};
            GetMenuStringW(menu.menu(), UINT(i), text, 64, MF_BYPOSITION);
            if (std::wstring(text) == L"Tag in varnel panel") submenu = GetSubMenu(menu.menu(), i);
        }
        ASSERT_NE(submenu, nullptr);
        ASSERT_TRUE(menu.execute(GetMenuItemID(submenu, 0)));
    }
    harness::pump_for(std::chrono::milliseconds(50));
    HWND popup = FindWindowW(nullptr, L"Varnel panel");
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(IsWindowVisible(popup));
    // Its panel's window lives in the popup and goes with it when the player closes.
    app_.reset();
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_NE(GetFileAttributesW(config_.file(L"player.cfg").c_str()), INVALID_FILE_ATTRIBUTES);
    start();
    EXPECT_EQ(FindWindowW(nullptr, L"Varnel panel"), nullptr) << "a popup window that is not persistent is not restored";
}

TEST_F(Player, DamagedConfigurationFilesAreSetAsideReportedAndThePlayerStartsWithoutThem) {
    const std::vector<std::uint8_t> config{9, 0, 0, 0, 1}, layout{1, 0, 0, 0, 5, 0, 0, 0, 7};
    write_bytes(config_.file(L"player.cfg"), config);
    write_bytes(config_.file(L"layout.cfg"), layout);
    write_bytes(config_.file(L"layout.cfg.damaged"), {1});  // an earlier one is not replaced
    harness::MessageBoxAnswerer boxes({IDOK});
    start();
    ASSERT_EQ(boxes.answered(), 1u) << "both are told in one message";
    const std::wstring& text = boxes.boxes()[0].text;
    EXPECT_NE(text.find(L"player.cfg could not be read"), std::wstring::npos) << sonavel::wide_to_utf8(text);
    EXPECT_NE(text.find(L"set aside as player.cfg.damaged;"), std::wstring::npos) << sonavel::wide_to_utf8(text);
    EXPECT_NE(text.find(L"set aside as layout.cfg.damaged-2;"), std::wstring::npos) << sonavel::wide_to_utf8(text);
    EXPECT_TRUE(window().docked().empty());
    EXPECT_EQ(harness::item_count(playlist()), 3);
    app_.reset();
    EXPECT_EQ(file_bytes(config_.file(L"player.cfg.damaged")), config) << "what the file held is kept";
    EXPECT_EQ(file_bytes(config_.file(L"layout.cfg.damaged-2")), layout);
    EXPECT_EQ(file_bytes(config_.file(L"layout.cfg.damaged")), std::vector<std::uint8_t>{1});
    EXPECT_GT(file_bytes(config_.file(L"player.cfg")).size(), 5u) << "a good file is saved in its place";
}

TEST_F(Player, ARestartKeepsTheLibraryThePlaylistsWithTheActiveOneAndTheLayout) {
    start();
    dock_genre_panel();
    auto& playlists = engines().playlists;
    ASSERT_EQ(playlists.get_playlist_count(), 1u);
    EXPECT_EQ(playlists.get_playlist_name(0), "Library");
    std::size_t picks = playlists.create_playlist("Picks", sonavel::no_item);
    playlists.add_items_unselected(picks, {playlists.get_item_handle(0, 2)});
    playlists.set_active_playlist(picks);
    ASSERT_EQ(TabCtrl_GetItemCount(tabs()), 2) << "a new playlist gets its tab";
    app_.reset();

    start(false);
    ASSERT_EQ(TabCtrl_GetItemCount(tabs()), 2);
    EXPECT_EQ(tab_text(0), L"Library");
    EXPECT_EQ(tab_text(1), L"Picks");
    EXPECT_EQ(TabCtrl_GetCurSel(tabs()), 1);
    ASSERT_EQ(harness::item_count(playlist()), 1);
    EXPECT_EQ(harness::item_text(playlist(), 0, player::PlaylistView::column_file), L"03 third.wav");
    EXPECT_EQ(window().docked().size(), 1u);

    click_tab(0);
    EXPECT_EQ(engines().playlists.get_active_playlist(), 0u);
    ASSERT_EQ(harness::item_count(playlist()), 3) << "the library's playlist, from the database";
    EXPECT_EQ(harness::item_text(playlist(), 1, player::PlaylistView::column_genre), L"Rock; Pop");
}

TEST_F(Player, AFileChangedWhileThePlayerWasClosedShowsItsNewValuesAfterTheStart) {
    start();
    dock_genre_panel();
    app_.reset();
    const std::wstring changed = music_.file(L"02 second.mp3");
    TagLib::PropertyMap tags = tags_of(changed);
    tags.replace("GENRE", string_list({"Blues"}));
    set_tags(changed, tags);
    touch_later(changed);

    start(false);
    EXPECT_EVENTUALLY(harness::item_text(playlist(), 1, player::PlaylistView::column_genre) == L"Blues");
    // The docked panel reads the new record too.
    const HWND values = GetDlgItem(window().docked()[0]->window(), IDC_PANEL_VALUE_LIST);
    harness::click_label(playlist(), 1);
    EXPECT_EVENTUALLY(row_of(values, L"Blues") >= 0 && row_of(values, L"Pop") < 0);
}

TEST_F(Player, AFileRemovedWhileThePlayerWasClosedLeavesTheLibrary) {
    start();
    app_.reset();
    ASSERT_TRUE(DeleteFileW(music_.file(L"01 first.mp3").c_str()));
    start(false);
    ASSERT_EQ(harness::item_count(playlist()), 2);
    EXPECT_EQ(harness::item_text(playlist(), 0, player::PlaylistView::column_file), L"02 second.mp3");
    EXPECT_EQ(engines().library.get_all_items().size(), 2u);
}

TEST_F(Player, FileRemoveFolderListsTheLibraryFoldersAndForgetsTheChosenOnesTracks) {
    start();
    HMENU remove = window().remove_folder_menu();
    ASSERT_NE(remove, nullptr);
    // The submenu is filled as it opens.
    SendMessageW(window().frame(), WM_INITMENUPOPUP, WPARAM(remove), 0);
    ASSERT_EQ(GetMenuItemCount(remove), 1);
    wchar_t text[MAX_PATH] = {};
    GetMenuStringW(remove, 0, text, MAX_PATH, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), music_.path());
    {
        // Asked first; No keeps the folder.
        harness::MessageBoxAnswerer boxes({IDNO});
        window().run_command(GetMenuItemID(remove, 0));
        ASSERT_EQ(boxes.answered(), 1u);
        EXPECT_EQ(boxes.boxes()[0].caption, L"Remove folder");
        EXPECT_NE(boxes.boxes()[0].text.find(music_.path()), std::wstring::npos);
        EXPECT_EQ(harness::item_count(playlist()), 3);
    }
    harness::MessageBoxAnswerer boxes({IDYES});
    window().run_command(GetMenuItemID(remove, 0));
    EXPECT_EQ(boxes.answered(), 1u);
    EXPECT_EQ(harness::item_count(playlist()), 0);
    EXPECT_TRUE(engines().library.get_all_items().empty());
    app_.reset();
    start(false);
    EXPECT_EQ(harness::item_count(playlist()), 0) << "the folder stays out of the library";
}

TEST_F(Player, ADamagedLibraryDatabaseIsSetAsideAndRebuiltFromTheFoldersWithAMessage) {
    start();
    app_.reset();
    write_bytes(config_.file(L"library.db"), std::vector<std::uint8_t>(4096, 0x5a));
    harness::MessageBoxAnswerer boxes({IDOK});
    start(false);
    ASSERT_EQ(boxes.answered(), 1);
    EXPECT_NE(boxes.boxes()[0].text.find(L"set aside"), std::wstring::npos) << sonavel::wide_to_utf8(boxes.boxes()[0].text);
    EXPECT_EQ(file_bytes(config_.file(L"library.damaged-1.db")), std::vector<std::uint8_t>(4096, 0x5a))
        << "the damaged file is kept as it was";
    EXPECT_EQ(harness::item_count(playlist()), 3) << "rebuilt from the library's folders";
}

}  // namespace
}  // namespace app_test
