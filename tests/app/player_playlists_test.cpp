// Playlists and library folders as the user manages them: the Playlist menu and a tab's context menu make,
// rename and remove playlists (removing asks first), removing a folder asks first and the status bar stops
// counting the folder's unreadable files.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "tests/app/player_fixture.h"
#include "tests/harness/find_window.h"
#include "tests/window/menu_reader.h"

namespace app_test {
namespace {

using Player = PlayerFixture;

// What the next name prompt titled `title` gets typed into it before OK.
std::wstring prompt_title, prompt_answer;

void CALLBACK answer_prompt(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND prompt = harness::find_window(prompt_title);
    if (!prompt || !IsWindowVisible(prompt)) return;
    KillTimer(nullptr, timer);
    SetDlgItemTextW(prompt, 101, prompt_answer.c_str());
    PostMessageW(prompt, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void answer_next_prompt(const std::wstring& title, const std::wstring& answer) {
    prompt_title = title;
    prompt_answer = answer;
    SetTimer(nullptr, 0, 30, answer_prompt);
}

std::vector<std::string> playlist_names(player::HostEngines& engines) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < engines.playlists.get_playlist_count(); ++i) names.push_back(engines.playlists.get_playlist_name(i));
    return names;
}

std::string active_name(player::HostEngines& engines) {
    return engines.playlists.get_playlist_name(engines.playlists.get_active_playlist());
}

TEST_F(Player, ThePlaylistMenuMakesRenamesAndRemovesPlaylistsAndAsksBeforeRemoving) {
    start();
    int menu = menu_index(L"&Playlist");
    ASSERT_GE(menu, 0);
    answer_next_prompt(L"New playlist", L"Mixes");
    choose(menu, L"&New playlist...");
    EXPECT_EQ(active_name(engines()), "Mixes");
    EXPECT_EQ(playlist_names(engines()), (std::vector<std::string>{"Library", "Mixes"}));
    wchar_t tab[64] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = tab;
    item.cchTextMax = 64;
    TabCtrl_GetItem(window().tabs().window(), 1, &item);
    EXPECT_EQ(std::wstring(tab), L"Mixes");

    answer_next_prompt(L"Rename playlist", L"Evening");
    choose(menu, L"&Rename playlist...");
    EXPECT_EQ(active_name(engines()), "Evening");

    {
        harness::MessageBoxAnswerer boxes({IDNO});
        choose(menu, L"Re&move playlist");
        ASSERT_EQ(boxes.answered(), 1u);
        EXPECT_EQ(boxes.boxes()[0].text, L"Remove the playlist \"Evening\"?\n\nIts tracks stay in the library and on the disk.");
        EXPECT_EQ(playlist_names(engines()).size(), 2u);
    }
    harness::MessageBoxAnswerer boxes({IDYES});
    choose(menu, L"Re&move playlist");
    EXPECT_EQ(playlist_names(engines()), (std::vector<std::string>{"Library"}));
    // The library's own playlist stays.
    SendMessageW(frame(), WM_INITMENUPOPUP, WPARAM(GetSubMenu(GetMenu(frame()), menu)), menu);
    EXPECT_TRUE(GetMenuState(GetMenu(frame()), player::PlaylistCommands::command_remove, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(Player, ATabsContextMenuActsOnThatTabsPlaylist) {
    start();
    engines().playlists.create_playlist("Spare", sonavel::no_item);
    ASSERT_EQ(active_name(engines()), "Library");
    HWND tabs = window().tabs().window();
    RECT spare = {};
    ASSERT_TRUE(TabCtrl_GetItemRect(tabs, 1, &spare));
    POINT at = {(spare.left + spare.right) / 2, (spare.top + spare.bottom) / 2};

    harness::MessageBoxAnswerer boxes({IDYES});
    window_test::MenuReader* reader = nullptr;
    window_test::MenuReader menu([&] {
        // Down to the third entry, Remove playlist, and Enter.
        HWND target = GetFocus() ? GetFocus() : GetForegroundWindow();
        for (UINT key : {UINT(VK_DOWN), UINT(VK_DOWN), UINT(VK_DOWN), UINT(VK_RETURN)}) {
            PostMessageW(target, WM_KEYDOWN, key, 0);
            PostMessageW(target, WM_KEYUP, key, 0xC0000000);
        }
    });
    reader = &menu;
    PostMessageW(tabs, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(tabs, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    ASSERT_EVENTUALLY(boxes.answered() == 1u);
    EXPECT_EQ(reader->items, (std::vector<std::wstring>{L"&New playlist...", L"&Rename playlist...", L"Re&move playlist"}));
    EXPECT_NE(boxes.boxes()[0].text.find(L"\"Spare\""), std::wstring::npos);
    EXPECT_EQ(playlist_names(engines()), (std::vector<std::string>{"Library"}));
    EXPECT_EQ(active_name(engines()), "Library");
}

TEST_F(Player, RemovingAFolderAsksFirstAndTheStatusBarForgetsItsUnreadableFiles) {
    start();
    TempFolder other;
    write_bytes(other.file(L"broken.mp3"), std::vector<std::uint8_t>(64, 0x11));
    app_->library().add_folder(sonavel::wide_to_utf8(other.path()));
    ASSERT_EVENTUALLY(!app_->library().scanning());
    ASSERT_NE(engines().status.text().find("1 file could not be read"), std::string::npos) << engines().status.text();

    HMENU remove = window().remove_folder_menu();
    SendMessageW(frame(), WM_INITMENUPOPUP, WPARAM(remove), 0);
    UINT other_entry = 0;
    for (int i = 0; i < GetMenuItemCount(remove); ++i) {
        wchar_t text[MAX_PATH] = {};
        GetMenuStringW(remove, UINT(i), text, MAX_PATH, MF_BYPOSITION);
        if (other.path() == text) other_entry = GetMenuItemID(remove, i);
    }
    ASSERT_NE(other_entry, 0u);
    harness::MessageBoxAnswerer boxes({IDYES});
    window().run_command(other_entry);
    ASSERT_EQ(boxes.answered(), 1u);
    EXPECT_EQ(engines().status.text().find("could not be read"), std::string::npos) << engines().status.text();
    EXPECT_TRUE(app_->library().unreadable().empty());
    EXPECT_EQ(harness::item_count(playlist()), 3) << "the other folder's tracks stay";
}

// What the shell hands a window when files are dropped onto it.
HGLOBAL dropped(const std::vector<std::wstring>& paths) {
    std::size_t chars = 1;
    for (const auto& path : paths) chars += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES));
    for (const auto& path : paths) {
        std::copy(path.begin(), path.end(), out);
        out += path.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}

TEST_F(Player, FoldersAndFilesDroppedOntoTheWindowJoinTheLibrary) {
    start();
    ASSERT_EVENTUALLY(!app_->library().scanning());
    TempFolder dropped_folder, holder;
    write_audio(dropped_folder.file(L"04 fourth.mp3"));
    write_audio(holder.file(L"05 fifth.mp3"));
    write_audio(holder.file(L"06 sixth.mp3"));
    // A folder, and a file whose folder then joins.
    PostMessageW(frame(), WM_DROPFILES, WPARAM(dropped({dropped_folder.path(), holder.file(L"05 fifth.mp3")})), 0);
    ASSERT_EVENTUALLY(app_->library().folders().size() == 3u && !app_->library().scanning());
    auto folders = app_->library().folders();
    EXPECT_NE(std::find(folders.begin(), folders.end(), sonavel::wide_to_utf8(dropped_folder.path())), folders.end());
    EXPECT_NE(std::find(folders.begin(), folders.end(), sonavel::wide_to_utf8(holder.path())), folders.end());
    EXPECT_EVENTUALLY(harness::item_count(playlist()) == 6);
}

}  // namespace
}  // namespace app_test
