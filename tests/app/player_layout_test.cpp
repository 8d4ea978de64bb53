// The player's window as the user arranges it: splitters dragged with the mouse, docked panels named in
// their captions, closed with their close box, hidden and shown from the View menu, the playlist's
// columns and the window's place, all as they were after a restart.
#include <windows.h>

#include "player/app/LayoutFile.h"
#include "resources/resource.h"
#include "tests/app/player_fixture.h"
#include "tests/harness/keyboard.h"
#include "tests/harness/mouse.h"
#include "tests/harness/screenshot.h"
#include "tests/window/menu_reader.h"

namespace app_test {
namespace {

using Player = PlayerFixture;

int width_of(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r.right - r.left;
}
int height_of(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}
POINT middle(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A drag with the left button from one point of the window's client area to another.
void drag(HWND window, POINT from, POINT to) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((from.x + to.x) / 2, (from.y + to.y) / 2));
    PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    harness::pump_for(std::chrono::milliseconds(50));
}

TEST_F(Player, DraggedSplittersColumnsAndTheMaximizedWindowComeBackAfterARestart) {
    start();
    dock_genre_panel();
    dock_genre_panel();
    SetWindowPos(frame(), nullptr, 60, 50, 1000, 700, SWP_NOZORDER);
    harness::pump_for(std::chrono::milliseconds(30));
    HWND first = window().docked()[0]->container();
    HWND second = window().docked()[1]->container();
    const int dock = width_of(first), upper = height_of(first), lower = height_of(second);

    POINT bar = middle(window().placed().dock_splitter);
    drag(frame(), bar, {bar.x - 100, bar.y});
    EXPECT_EQ(width_of(first), dock + 100);
    EXPECT_EQ(width_of(window().playlist().window()) + width_of(first) + 5, 1000 - 2 * GetSystemMetrics(SM_CXFRAME))
        << "the playlist gives up what the panels take";
    ASSERT_EQ(window().placed().panel_splitters.size(), 1u);
    bar = middle(window().placed().panel_splitters[0]);
    drag(frame(), bar, {bar.x, bar.y + 50});
    EXPECT_EQ(height_of(first), upper + 50);
    EXPECT_EQ(height_of(second), lower - 50);

    window().playlist().columns().set({{"ALBUM", 90}, {"TITLE", 150}, {"%filename%", 200}});
    ShowWindow(frame(), SW_MAXIMIZE);
    harness::pump_for(std::chrono::milliseconds(30));
    const int dock_moved = width_of(first);
    const int upper_moved = height_of(first);
    app_.reset();

    start();
    ASSERT_EQ(window().docked().size(), 2u);
    EXPECT_TRUE(IsZoomed(frame()));
    EXPECT_EQ(width_of(window().docked()[0]->container()), dock_moved);
    EXPECT_EQ(height_of(window().docked()[0]->container()), upper_moved);
    std::vector<player::ColumnLayout> columns = {{"ALBUM", 90}, {"TITLE", 150}, {"%filename%", 200}};
    EXPECT_EQ(window().playlist().columns().layout(), columns);
    // Restored down, it takes the place it had before it was maximized.
    ShowWindow(frame(), SW_RESTORE);
    RECT place;
    GetWindowRect(frame(), &place);
    EXPECT_EQ(place.left, 60);
    EXPECT_EQ(place.top, 50);
    EXPECT_EQ(place.right - place.left, 1000);
}

TEST_F(Player, APanelKeptAsideAtARestartLeavesTheOthersTheirOwnHeights) {
    start();
    for (int i = 0; i < 4; ++i) dock_genre_panel();
    SetWindowPos(frame(), nullptr, 60, 50, 1000, 900, SWP_NOZORDER);
    harness::pump_for(std::chrono::milliseconds(30));
    ASSERT_EQ(window().placed().panel_splitters.size(), 3u);
    POINT bar = middle(window().placed().panel_splitters[0]);
    drag(frame(), bar, {bar.x, bar.y - 40});
    bar = middle(window().placed().panel_splitters[2]);
    drag(frame(), bar, {bar.x, bar.y + 50});
    std::vector<int> heights;
    for (const auto& panel : window().docked()) heights.push_back(height_of(panel->container()));
    ASSERT_NE(heights[1], heights[2]);
    app_.reset();

    // The second panel cannot be docked at the next start (its type is not installed): it is kept aside.
    const std::string layout = sonavel::wide_to_utf8(config_.file(L"layout.cfg"));
    std::vector<player::PanelPlacement> stored = player::read_layout(layout);
    ASSERT_EQ(stored.size(), 4u);
    const sonavel::guid type = stored[1].type;
    stored[1].type = {0x0BADC0DE, 0x0001, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 9}};
    player::write_layout(layout, stored);
    {
        harness::MessageBoxAnswerer boxes({IDOK});
        start();
        EXPECT_EQ(boxes.answered(), 1u) << "told that a panel could not be restored";
    }
    ASSERT_EQ(window().docked().size(), 3u);
    EXPECT_EQ(height_of(window().docked()[0]->container()), heights[0]);
    EXPECT_EQ(height_of(window().docked()[1]->container()), heights[2]) << "the third panel has its own height";
    app_.reset();

    // Installed again, the kept panel comes back at its place with its own height, and so do the others.
    stored = player::read_layout(layout);
    ASSERT_EQ(stored.size(), 4u);
    stored[1].type = type;
    player::write_layout(layout, stored);
    start();
    ASSERT_EQ(window().docked().size(), 4u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(height_of(window().docked()[i]->container()), heights[i]) << i;
}

TEST_F(Player, EachDockedPanelIsNamedByItsFieldAndPresetAndItsCloseBoxClosesItForGood) {
    start();
    auto& genre = dock_genre_panel();
    window().dock(varnel_type()->type);
    harness::pump_for(std::chrono::milliseconds(30));
    EXPECT_EQ(genre.caption(), L"GENRE - Genres");
    // A new panel edits no field yet; its own window does not say so, its caption does.
    EXPECT_EQ(window().docked()[1]->caption().rfind(L"No field chosen: right-click > Options... to choose one", 0), 0u)
        << sonavel::wide_to_utf8(window().docked()[1]->caption());

    RECT box = genre.close_box();
    harness::click(genre.container(), middle(box));
    ASSERT_EVENTUALLY(window().docked().size() == 1u);
    EXPECT_EQ(window().docked()[0]->caption().rfind(L"No field chosen", 0), 0u);
    app_.reset();
    start();
    EXPECT_EQ(window().docked().size(), 1u) << "closed panels stay closed";
}

TEST_F(Player, APanelClosedByMistakeComesBackFromTheViewMenuWithItsPresets) {
    start();
    auto& genre = dock_genre_panel();
    harness::pump_for(std::chrono::milliseconds(30));
    const std::vector<std::uint8_t> config = genre.save_config();
    const int view = menu_index(L"&View");
    auto open_view = [&] {
        SendMessageW(frame(), WM_INITMENUPOPUP, WPARAM(GetSubMenu(GetMenu(frame()), view)), MAKELPARAM(view, FALSE));
    };
    open_view();
    EXPECT_EQ(menu_command(view, L"&Reopen GENRE - Genres"), 0u) << "nothing closed yet";

    harness::click(genre.container(), middle(genre.close_box()));
    ASSERT_EVENTUALLY(window().docked().empty());
    open_view();
    choose(view, L"&Reopen GENRE - Genres");
    ASSERT_EQ(window().docked().size(), 1u);
    EXPECT_EQ(window().docked()[0]->save_config(), config) << "the same presets and values";
    harness::pump_for(std::chrono::milliseconds(30));
    EXPECT_EQ(window().docked()[0]->caption(), L"GENRE - Genres");
    open_view();
    EXPECT_EQ(menu_command(view, L"&Reopen GENRE - Genres"), 0u) << "reopened once";
}

// The panel changes its preset in its own menu and tells the player nothing: its caption, and its entry in
// the View menu, follow within about a second.
TEST_F(Player, ADockedPanelsCaptionFollowsThePresetChosenInThePanelsOwnMenu) {
    start();
    quennet::Options genres;
    genres.name = "Genres";
    genres.metadata_field = "GENRE";
    quennet::Options moods;
    moods.name = "Moods";
    moods.metadata_field = "MOOD";
    sonavel::stream_writer_buffer config;
    sonavel::abort_callback_dummy abort;
    quennet::write_store(config, abort, genres, {genres, moods});
    auto& docked = window().dock(varnel_type()->type, config.data());
    harness::pump_for(std::chrono::milliseconds(50));
    ASSERT_EQ(docked.caption(), L"GENRE - Genres");

    const HWND list = GetDlgItem(docked.window(), IDC_PANEL_VALUE_LIST);
    ASSERT_TRUE(harness::focus(list));
    // Options..., a separator, Genres, Moods: three steps down, then Enter.
    window_test::MenuReader reader([] {
        const WORD codes[] = {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};
        INPUT keys[8] = {};
        for (int i = 0; i < 8; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = codes[i / 2];
            if (i % 2) keys[i].ki.dwFlags = KEYEVENTF_KEYUP;
        }
        SendInput(8, keys, sizeof(INPUT));
    });
    SendMessageW(docked.window(), WM_CONTEXTMENU, WPARAM(list), MAKELPARAM(10, 10));
    ASSERT_TRUE(reader.seen);
    ASSERT_GE(reader.items.size(), 4u);
    ASSERT_EQ(reader.items[3], L"Moods");

    EXPECT_EVENTUALLY_WITHIN(docked.caption() == L"MOOD - Moods", std::chrono::milliseconds(2000))
        << sonavel::wide_to_utf8(docked.caption());
    const int view = menu_index(L"&View");
    SendMessageW(frame(), WM_INITMENUPOPUP, WPARAM(GetSubMenu(GetMenu(frame()), view)), MAKELPARAM(view, FALSE));
    EXPECT_NE(menu_command(view, L"&1 MOOD - Moods"), 0u);
}

// The mouse's messages as a user's hand makes them over one window, the cursor on each spot first.
void press(HWND window, POINT at) {
    harness::rest_mouse(window, at);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    harness::pump_for(std::chrono::milliseconds(20));
}
void move_held(HWND window, POINT to) {
    PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    harness::pump_for(std::chrono::milliseconds(20));
}
void release(HWND window, POINT at) {
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    harness::pump_for(std::chrono::milliseconds(60));
}

// The colour of the close box's left edge, which a pushed-in button draws in shadow.
COLORREF close_box_edge(player::DockedPanel& panel) {
    RECT box = panel.close_box();
    return harness::client_pixel(panel.container(), {box.left + 2, (box.top + box.bottom) / 2});
}

TEST_F(Player, APressStartedOffTheCloseBoxAndReleasedOverItLeavesThePanelOpen) {
    start();
    auto& genre = dock_genre_panel();
    HWND container = genre.container();
    const POINT box = middle(genre.close_box());
    const POINT title = {8, player::DockedPanel::caption_height() / 2};
    press(container, title);
    move_held(container, box);
    release(container, box);
    ASSERT_EQ(window().docked().size(), 1u);

    // Nor a button-up over the box that follows no press at all (one pressed in another window).
    release(container, box);
    EXPECT_EQ(window().docked().size(), 1u);
}

TEST_F(Player, TheCloseBoxIsAPushButtonThatClosesOnlyWhenReleasedOverItsOwnPress) {
    start();
    auto& genre = dock_genre_panel();
    HWND container = genre.container();
    const POINT box = middle(genre.close_box());
    const POINT title = {8, player::DockedPanel::caption_height() / 2};
    const COLORREF raised = close_box_edge(genre);
    ASSERT_NE(raised, CLR_INVALID);

    press(container, box);
    EXPECT_EQ(GetCapture(), container) << "the box keeps the mouse while the button is down";
    EXPECT_NE(close_box_edge(genre), raised) << "drawn pushed in";
    move_held(container, title);
    EXPECT_EQ(close_box_edge(genre), raised) << "the pointer off the box lets it out";
    move_held(container, box);
    EXPECT_NE(close_box_edge(genre), raised) << "and back over it pushes it in again";
    move_held(container, title);
    release(container, title);
    ASSERT_EQ(window().docked().size(), 1u) << "released off the box";
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(close_box_edge(genre), raised);

    // Another window taking the mouse in the middle of the press cancels it.
    press(container, box);
    SetCapture(frame());
    ReleaseCapture();
    release(container, box);
    ASSERT_EQ(window().docked().size(), 1u) << "the press was cancelled when the box lost the mouse";
    EXPECT_EQ(close_box_edge(genre), raised);

    // A press on the box released over it still closes the panel.
    press(container, box);
    move_held(container, title);
    move_held(container, box);
    release(container, box);
    EXPECT_EVENTUALLY(window().docked().empty());
}

TEST_F(Player, TheViewMenuListsTheDockedPanelsToHideAndShowThem) {
    start();
    dock_genre_panel();
    dock_genre_panel();
    HWND first = window().docked()[0]->container();
    HWND second = window().docked()[1]->container();
    int view = menu_index(L"&View");
    UINT entry = menu_command(view, L"&1 GENRE - Genres");
    ASSERT_NE(entry, 0u);
    HMENU menu = GetSubMenu(GetMenu(frame()), view);
    EXPECT_TRUE(GetMenuState(menu, entry, MF_BYCOMMAND) & MF_CHECKED);

    choose(view, L"&1 GENRE - Genres");
    EXPECT_FALSE(IsWindowVisible(first));
    EXPECT_FALSE(window().panel_shown(0));
    ASSERT_TRUE(IsWindowVisible(second));
    RECT area = window().placed().panels.at(0);
    EXPECT_EQ(area.top, 0) << "the shown panel takes the whole panel area";
    app_.reset();

    start();
    ASSERT_EQ(window().docked().size(), 2u);
    EXPECT_FALSE(IsWindowVisible(window().docked()[0]->container())) << "still hidden after a restart";
    choose(menu_index(L"&View"), L"&1 GENRE - Genres");
    EXPECT_TRUE(IsWindowVisible(window().docked()[0]->container()));
    EXPECT_TRUE(window().panel_shown(0));
}

}  // namespace
}  // namespace app_test
