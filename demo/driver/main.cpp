// Drives the stand-in player as a user would, with real mouse and key input from a separate process, for
// the demo, the help's pictures and the tests of what a newcomer meets first:
//   demo-driver demo <picture folder> [value]  selects two tracks, ticks a value in the panel (the given
//                                              one if the panel lists it), applies it with Enter, closes
//                                              the player; pictures of each step
//   demo-driver pictures <picture folder>      the same with the menus and the Options dialog pictured
//   demo-driver start                          waits for the player with its docked panel, closes it
//   demo-driver help                           chooses Help > "Varnel Panel help", then "Help" in the
//                                              panel's menu, and closes the player
// Lines on stdout say what was done and seen. Exit code 0 when every step showed what it should.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "demo/driver/Input.h"
#include "demo/driver/PlayerWindows.h"
#include "demo/driver/RemoteListView.h"
#include "demo/driver/ScreenShot.h"
#include "sdk/utf8.h"

namespace demo {
namespace {

constexpr int title_column = 1, genre_column = 2;
const wchar_t* const state_names[] = {L"-", L"none", L"all", L"some"};

void say(const std::wstring& line) {
    std::string text = sonavel::wide_to_utf8(line) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

bool wait_for(const std::function<bool()>& condition, DWORD timeout_ms) {
    for (DWORD waited = 0; waited < timeout_ms; waited += 100) {
        if (condition()) return true;
        Sleep(100);
    }
    return condition();
}

class Session {
public:
    // The docked panel's value list, found again if the one seen before is gone (a note says so).
    HWND panel_list() {
        if (IsWindow(player_.panel_list)) return player_.panel_list;
        if (!wait_for([&] { return (player_.panel_list = find_panel_list(player_.main)) != nullptr; }, 5000))
            throw std::runtime_error("the panel's list is gone");
        say(L"note: the panel's list was found again");
        return player_.panel_list;
    }

    Session(std::wstring folder) : folder_(std::move(folder)), player_(find_player(60000)) {}

    // The playlist holds every track and the docked panel has filled.
    void wait_until_loaded() {
        int last = -1;
        wait_for([&] {
            int now = int(SendMessageW(player_.playlist, 0x1004 /* LVM_GETITEMCOUNT */, 0, 0));
            bool stable = now > 0 && now == last;
            last = now;
            return stable;
        }, 30000);
        if (!wait_for([&] { return (player_.panel_list = find_panel_list(player_.main)) != nullptr; }, 10000))
            throw std::runtime_error("no panel is docked");
        SetForegroundWindow(player_.main);
        // The pointer starts over the playlist, not wherever the last program left it.
        RECT list{};
        GetWindowRect(player_.playlist, &list);
        move_to({(list.left + list.right) / 2, (list.top + list.bottom) / 2});
        settle(500);
        RemoteListView playlist(player_.playlist);
        say(L"player: " + std::to_wstring(playlist.count()) + L" tracks, the panel is docked");
    }

    void picture(const std::wstring& name, HWND window = nullptr, int margin = 0) {
        if (folder_.empty()) return;
        settle(400);
        std::wstring path = folder_ + L"\\" + name + L".bmp";
        if (save_window(window ? window : player_.main, path, margin)) say(L"picture: " + name);
        else say(L"picture " + name + L" could not be taken");
    }

    // Clicks the first title, shift-clicks the second: the tracks in between are selected too.
    std::vector<int> select(const std::wstring& first, const std::wstring& last) {
        RemoteListView playlist(player_.playlist);
        int a = playlist.find(first, title_column), b = playlist.find(last, title_column);
        if (a < 0 || b < 0) a = 0, b = std::min(1, playlist.count() - 1);
        // The first click may only bring the player to the front.
        // A click repeated too soon on a loaded machine lands after the first one and acts twice: each
        // waits long enough for the player to have taken it.
        for (int attempt = 0; attempt < 3 && !playlist.selected(a); ++attempt) {
            click(playlist.label_point(a));
            wait_for([&] { return playlist.selected(a); }, 5000);
        }
        for (int attempt = 0; attempt < 3 && !playlist.selected(b); ++attempt) {
            settle(600);  // not taken for a double click
            click(playlist.label_point(b), false, VK_SHIFT);
            wait_for([&] { return playlist.selected(b); }, 5000);
            if (attempt) say(L"note: click repeated");
        }
        std::vector<int> rows;
        for (int i = std::min(a, b); i <= std::max(a, b); ++i) {
            if (!playlist.selected(i)) throw std::runtime_error("a clicked track is not selected");
            rows.push_back(i);
            say(L"selected: " + playlist.text(i, 0) + L" - " + playlist.text(i, title_column) + L" [" +
                playlist.text(i, genre_column) + L"]");
        }
        // The panel refills for the selection: its states stop changing.
        RemoteListView panel(panel_list());
        auto states_now = [&] {
            std::wstring all;
            for (int i = 0; i < panel.count(); ++i) all += wchar_t(L'0' + panel.state_image(i));
            return all;
        };
        settle(800);
        std::wstring seen = states_now();
        wait_for([&] {
            std::wstring now = states_now();
            bool stable = now == seen;
            seen = now;
            return stable;
        }, 5000);
        std::wstring states;
        for (int i = 0; i < panel.count(); ++i) {
            int state = panel.state_image(i);
            if (state == 2 || state == 3) states += L" " + panel.text(i) + L" (" + state_names[state] + L")";
        }
        say(L"panel: " + std::to_wstring(panel.count()) + L" values; on the selection:" + states);
        return rows;
    }

    // Ticks `wanted` if the panel lists it without a full tick, else the first unticked value.
    std::wstring tick(const std::wstring& wanted) {
        RemoteListView panel(panel_list());
        int row = panel.find(wanted);
        if (row < 0 || panel.state_image(row) == 2)
            for (row = 0; row < panel.count() && panel.state_image(row) != 1; ++row) {}
        if (row >= panel.count()) throw std::runtime_error("the panel has no value to tick");
        std::wstring value = panel.text(row);
        int before = panel.state_image(row);
        for (int attempt = 0; attempt < 3 && panel.state_image(row) != 2; ++attempt) {
            settle(600);  // not taken for a double click
            click(panel.check_box_point(row));
            wait_for([&] { return panel.state_image(row) == 2; }, 5000);
            if (attempt) say(L"note: click repeated");
        }
        if (panel.state_image(row) != 2) throw std::runtime_error("the click did not tick the value");
        say(L"ticked: " + value + L" (" + state_names[before] + L" -> all)");
        return value;
    }

    // Enter in the list applies; the playlist shows the written value once the files are written.
    void apply(const std::vector<int>& rows, const std::wstring& value) {
        press(VK_RETURN);
        RemoteListView playlist(player_.playlist);
        bool written = wait_for([&] {
            for (int row : rows)
                if (playlist.text(row, genre_column).find(value) == std::wstring::npos) return false;
            return true;
        }, 20000);
        if (!written) throw std::runtime_error("the applied value did not reach the tracks");
        say(L"applied: the playlist shows " + value + L" on the " + std::to_wstring(rows.size()) + L" tracks");
    }

    // Right-clicks at a screen point and waits for the menu that opens.
    HWND open_menu(POINT at) {
        close_menus();
        click(at, true);
        HWND menu = nullptr;
        auto opened_here = [&] { return (menu = find_top_level(player_.main, L"#32768")) != nullptr; };
        if (!wait_for(opened_here, 3000)) {
            RECT r{};
            if (menu) GetWindowRect(menu, &r);
            picture(L"failed-menu");
            throw std::runtime_error("no menu opened at the click " + std::to_string(at.x) + "," + std::to_string(at.y) +
                                     (menu ? " (a menu at " + std::to_string(r.left) + "," + std::to_string(r.top) + ")" : ""));
        }
        settle(300);
        return menu;
    }

    void close_menus() {
        for (int i = 0; i < 3 && find_top_level(player_.main, L"#32768"); ++i) {
            press(VK_ESCAPE);
            wait_for([&] { return find_top_level(player_.main, L"#32768") == nullptr; }, 1000);
        }
    }

    // A point of the panel's list below its values: a right click there opens the panel's menu without
    // touching a value.
    POINT panel_free_point() {
        RECT list;
        GetWindowRect(panel_list(), &list);
        return {list.left + 60, std::min(list.top + 290, list.bottom - 30)};
    }

    // The player's window with the menus open over it.
    void picture_menu(POINT at, const std::wstring& name) {
        HWND menu = open_menu(at);
        RECT area, part;
        GetWindowRect(player_.main, &area);
        if (GetWindowRect(menu, &part)) UnionRect(&area, &area, &part);
        settle(400);
        if (!folder_.empty() && save_screen(area, folder_ + L"\\" + name + L".bmp")) say(L"picture: " + name);
        close_menus();
    }

    void pictures_of_menus(const std::vector<int>& rows) {
        RemoteListView playlist(player_.playlist);
        picture_menu(panel_free_point(), L"panel-menu");
        // Options... is the menu's first item.
        open_menu(panel_free_point());
        press(VK_DOWN);
        press(VK_RETURN);
        HWND dialog = nullptr;
        if (!wait_for([&] { return (dialog = find_top_level(player_.main, L"#32770")) != nullptr; }, 5000))
            throw std::runtime_error("the Options dialog did not open");
        picture(L"options", dialog);
        press(VK_ESCAPE);
        if (!wait_for([&] { return find_top_level(player_.main, L"#32770") == nullptr; }, 3000))
            throw std::runtime_error("the Options dialog did not close");
        picture_menu(playlist.label_point(rows.front()), L"track-menu");
    }

    // Help > "Varnel Panel help" from the keyboard: Alt+H opens the menu, Enter takes its first item.
    void open_help() {
        press('H', VK_MENU);
        press(VK_RETURN);
        settle(1000);
        if (HWND box = find_top_level(player_.main, L"#32770")) {
            wchar_t text[256] = {};
            GetWindowTextW(box, text, 256);
            press(VK_RETURN);
            throw std::runtime_error("a message box came instead of the help: " + sonavel::wide_to_utf8(text));
        }
        say(L"help: chosen from the Help menu");
        // The panel's own "Help", the last item before the "Library values" submenu.
        open_menu(panel_free_point());
        press(VK_UP);
        press(VK_UP);
        press(VK_RETURN);
        settle(1000);
        if (find_top_level(player_.main, L"#32770")) {
            press(VK_RETURN);
            throw std::runtime_error("a message box came instead of the panel's help");
        }
        say(L"help: chosen from the panel's menu");
    }

    void close_player() {
        DWORD pid = 0;
        GetWindowThreadProcessId(player_.main, &pid);
        sonavel::unique_kernel_handle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
        PostMessageW(player_.main, WM_CLOSE, 0, 0);
        if (process && WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0)
            throw std::runtime_error("the player did not close");
        say(L"player closed");
    }

    HWND main() const noexcept { return player_.main; }

private:
    std::wstring folder_;
    PlayerWindows player_;
};

int run(const std::vector<std::wstring>& args) {
    const std::wstring mode = args.empty() ? L"" : args[0];
    if (mode == L"start") {
        Session session(L"");
        session.wait_until_loaded();
        session.close_player();
        return 0;
    }
    if (mode == L"help") {
        Session session(L"");
        session.wait_until_loaded();
        session.open_help();
        session.close_player();
        return 0;
    }
    if ((mode != L"demo" && mode != L"pictures") || args.size() < 2) {
        say(L"usage: demo-driver demo|pictures <picture folder> [value] | demo-driver help");
        return 2;
    }
    Session session(args[1]);
    session.wait_until_loaded();
    session.picture(L"library");
    auto rows = session.select(L"Polar Night", L"Ice Road");
    session.picture(L"states");
    std::wstring value = session.tick(args.size() > 2 ? args[2] : L"");
    session.picture(L"ticked");
    if (mode == L"pictures") session.picture_menu(session.panel_free_point(), L"panel-menu-pending");
    session.apply(rows, value);
    session.picture(L"applied");
    if (mode == L"pictures") session.pictures_of_menus(rows);
    session.close_player();
    return 0;
}

}  // namespace
}  // namespace demo

int wmain(int argc, wchar_t** argv) {
    try {
        return demo::run(std::vector<std::wstring>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::fprintf(stdout, "demo failed: %s\n", e.what());
        return 1;
    }
}
