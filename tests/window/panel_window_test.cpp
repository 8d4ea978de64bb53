// The panel window as the panel host and the user meet it: created from the registered panel type,
// docked, shown and hidden, laid out, typed into and clicked with real messages.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "panel/model/LivePanels.h"
#include "panel/window/KeyboardHook.h"
#include "resources/resource.h"
#include "sdk/win/uwin.h"
#include "tests/harness/keyboard.h"
#include "tests/harness/window_query.h"
#include "tests/window/panel_window_fixture.h"

namespace window_test {
namespace {

using quennet::VarnelPanel;

std::vector<std::string> genres_of(const sonavel::metadb_handle_ptr& track) {
    std::vector<std::string> out;
    sonavel::file_info_impl info;
    if (!track->get_info(info)) return out;
    const std::size_t f = info.meta_find("GENRE");
    if (f == sonavel::file_info::npos) return out;
    for (std::size_t v = 0; v < info.meta_enum_value_count(f); ++v) out.push_back(info.meta_enum_value(f, v));
    return out;
}

using PanelRegistration = DockedPanels;

TEST_F(PanelRegistration, FactoryMakesADefaultPanelThatDescribesItself) {
    dockwork::window_ptr found;
    for (auto& candidate : sonavel::service_list_t<dockwork::window>())
        if (candidate->get_guid() == VarnelPanel::panel_guid) found = candidate;
    ASSERT_TRUE(found.is_valid());
    auto& panel = dynamic_cast<VarnelPanel&>(*found);
    EXPECT_EQ(panel.current().name, "");
    EXPECT_EQ(panel.current().metadata_field, "");
    EXPECT_TRUE(panel.presets().empty());

    std::string text;
    found->get_name(text);
    EXPECT_EQ(text, "Varnel Panel");
    found->category(text);
    EXPECT_EQ(text, "Panels");
    EXPECT_TRUE(found->short_name(text));
    EXPECT_EQ(text, "Varnel");
    EXPECT_TRUE(found->description(text));
    EXPECT_EQ(text, "Panel for tagging files");
    EXPECT_EQ(found->panel_type(), 1u);
    EXPECT_FALSE(found->single_instance());
    EXPECT_FALSE(found->has_settings_popup());
    EXPECT_EQ(found->get_window(), nullptr);

    dockwork::size_limits limits;
    limits.max_width = limits.max_height = 5;
    limits.min_width = limits.min_height = 7;
    found->size_limits(limits);
    EXPECT_EQ(limits.min_width, 0u);
    EXPECT_EQ(limits.min_height, 0u);
    EXPECT_EQ(limits.max_width, 0x7FFFFFFFu);
    EXPECT_EQ(limits.max_height, 0x7FFFFFFFu);
}

TEST_F(PanelRegistration, StoredConfigurationComesBackFromTheDockedPanel) {
    quennet::Options mood = preset("Moods", "MOOD");
    mood.add_tags("Calm;Dark", ';');
    auto& docked = dock(mood, {mood, preset("Genres", "GENRE")});
    const std::vector<std::uint8_t> saved = docked.save_config();

    auto& again = dock(preset("Other", "STYLE"));
    auto& panel = panel_of(again);
    sonavel::stream_reader_memblock reader(saved);
    sonavel::abort_callback_dummy abort;
    again.panel()->load_config(reader, saved.size(), abort);
    EXPECT_EQ(panel.current().name, "Moods");
    EXPECT_EQ(panel.current().tags, (std::vector<std::string>{"Calm", "Dark"}));
    ASSERT_EQ(panel.presets().size(), 2u);
    EXPECT_EQ(panel.presets()[1].metadata_field, "GENRE");
}

using PanelLifecycle = DockedPanels;

TEST_F(PanelLifecycle, LiveWindowsJoinTheListHookTheKeyboardAndFollowGlobalChanges) {
    EXPECT_FALSE(quennet::keyboard_hook_installed());
    auto& first = dock(preset("G", "GENRE"));
    auto& second = dock(preset("M", "MOOD"), {}, RECT{0, 300, 420, 600});
    EXPECT_EQ(quennet::live_panels().size(), 2u);
    EXPECT_TRUE(quennet::keyboard_hook_installed());
    EXPECT_EQ(engines().fonts.callback_count(), 2u);
    EXPECT_EQ(engines().colours.callback_count(), 2u);

    const HWND list = control(second, IDC_PANEL_VALUE_LIST);
    EXPECT_TRUE(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES);
    EXPECT_NE(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_STATE, 0), 0);
    EXPECT_EQ(sonavel::uGetWindowText(control(second, IDC_PANEL_FILTER)), "-- filter values --");
    EXPECT_EQ(sonavel::uGetWindowText(control(second, IDC_PANEL_ADD)), "-- add values --");

    first.panel()->close_window();
    EXPECT_EQ(quennet::live_panels().size(), 1u);
    EXPECT_TRUE(quennet::keyboard_hook_installed()) << "another panel window still exists";
    EXPECT_EQ(engines().fonts.callback_count(), 1u);
    second.panel()->close_window();
    EXPECT_TRUE(quennet::live_panels().empty());
    EXPECT_FALSE(quennet::keyboard_hook_installed());
    EXPECT_EQ(engines().colours.callback_count(), 0u);
    EXPECT_EQ(second.panel()->get_window(), nullptr);
}

TEST_F(PanelLifecycle, ShowFillsOnceAndHideWritesPendingEditsBeforeLeavingTheLibrary) {
    playlist({{"Rock"}, {"Pop"}}, {0, 1});
    quennet::Options scan = preset("G", "GENRE");
    scan.scan_library = true;
    auto& docked = dock(scan);
    auto& panel = panel_of(docked);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    EXPECT_EQ(rows(list), (std::vector<std::wstring>{L"Pop", L"Rock"}));
    EXPECT_TRUE(panel.registered_for_library());
    const unsigned fills = panel.model()->fills_started();
    SendMessageW(docked.window(), WM_SHOWWINDOW, TRUE, 0);
    EXPECT_EQ(panel.model()->fills_started(), fills) << "a second show while shown fills nothing";

    // Some of the tracks have Rock: the first click unticks it, the second ticks it for all.
    harness::click_check_box(list, row_of(list, L"Rock"));
    harness::click_check_box(list, row_of(list, L"Rock"));
    ASSERT_EQ(harness::state_image(list, row_of(list, L"Rock")), 2);
    ASSERT_TRUE(panel.model()->has_pending_edits());
    docked.show(false);
    settle();
    EXPECT_FALSE(panel.registered_for_library());
    EXPECT_EQ(genres_of(tracks_[1]), (std::vector<std::string>{"Pop", "Rock"}));
    EXPECT_EQ(engines().memory_tags.written().size(), 1u) << "the Rock track already had it";
}

TEST_F(PanelLifecycle, RemovingAShownPanelWritesItsPendingTicksFirst) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE", "Jazz"));
    const HWND window = docked.window();
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    harness::click_check_box(list, row_of(list, L"Jazz"));
    ASSERT_TRUE(panel_of(docked).model()->has_pending_edits());
    docked_.clear();
    settle();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(genres_of(tracks_[0]), (std::vector<std::string>{"Rock", "Jazz"}));
    EXPECT_EQ(genres_of(tracks_[1]), (std::vector<std::string>{"Pop"}));
}

TEST_F(PanelLifecycle, RemovingAHiddenPanelWritesNothingMore) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE", "Jazz"));
    docked.show(false);
    settle();
    docked_.clear();
    settle();
    EXPECT_TRUE(engines().memory_tags.written().empty());
}

TEST_F(PanelLifecycle, WithoutSelectedTracksEditsAreDisabledAndClicksChangeNothing) {
    playlist({{"Rock"}, {"Pop"}}, {});
    auto& docked = dock(preset("G", "GENRE"));
    auto& panel = panel_of(docked);
    panel.current().add_tags("Jazz", ';');
    panel.model()->rebuild_now();
    EXPECT_FALSE(IsWindowEnabled(control(docked, IDC_PANEL_FILTER)));
    EXPECT_FALSE(IsWindowEnabled(control(docked, IDC_PANEL_ADD)));
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    const int jazz = row_of(list, L"Jazz");
    harness::click_check_box(list, jazz);
    EXPECT_EQ(harness::state_image(list, jazz), 1);
    EXPECT_FALSE(panel.model()->has_pending_edits());

    engines().select({0});
    settle();
    EXPECT_TRUE(IsWindowEnabled(control(docked, IDC_PANEL_ADD)));
}

TEST_F(PanelLifecycle, MovingToAnotherHostKeepsTheWindowRowsAndPendingEdits) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE", "Pop"));
    auto& panel = panel_of(docked);
    const HWND window = docked.window();
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    harness::click_check_box(list, row_of(list, L"Pop"));
    ASSERT_TRUE(panel.model()->has_pending_edits());

    sonavel::unique_hwnd other(CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 320, 420, 300,
                                               host_.main_window(), nullptr, nullptr, nullptr));
    auto new_host = sonavel::service_impl_t<player::DockHost>::create();
    EXPECT_EQ(docked.panel()->attach_window(other.get(), new_host, 0, 0, 400, 280), window);
    ShowWindow(window, SW_SHOW);
    settle();
    EXPECT_EQ(GetParent(window), other.get());
    EXPECT_EQ(panel.host().get_ptr(), new_host.get_ptr());
    EXPECT_TRUE(panel.model()->has_pending_edits());
    EXPECT_EQ(harness::state_image(list, row_of(list, L"Pop")), 2);
    EXPECT_TRUE(engines().memory_tags.written().empty());
    SetParent(window, docked.container());
}

using PanelLayoutTest = DockedPanels;

TEST_F(PanelLayoutTest, EditsThatDoNotFitAreHiddenAndTheListKeepsItsRow) {
    auto& docked = dock(preset("G", "GENRE"));
    const HWND filter = control(docked, IDC_PANEL_FILTER);
    const HWND add = control(docked, IDC_PANEL_ADD);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    const RECT f = harness::rect_in_parent(filter);
    const int fw = f.right - f.left, fh = f.bottom - f.top;
    EXPECT_EQ(f.left, 4);
    EXPECT_EQ(f.top, 4);
    const RECT a = harness::rect_in_parent(add);
    EXPECT_EQ(a.left, fw + 8);

    RECT outer{}, inner{};
    GetWindowRect(docked.window(), &outer);
    GetClientRect(docked.window(), &inner);
    const int frame = (outer.right - outer.left) - inner.right;
    auto size_to = [&](int client_width) {
        SetWindowPos(docked.window(), nullptr, 0, 0, client_width + frame, 200, SWP_NOZORDER | SWP_NOMOVE);
        harness::pump_pending();
    };
    // One pixel either side of each threshold: fw + 6 for the filter, fw x 1.5 + 10 for the add box.
    const int filter_fits = fw + 6;
    const int add_fits = int(std::ceil(fw * 1.5 + 10));
    ASSERT_GT(add_fits - 1, filter_fits + 1) << "the template's filter is too narrow for this test";
    size_to(filter_fits - 1);
    EXPECT_FALSE(IsWindowVisible(filter));
    EXPECT_FALSE(IsWindowVisible(add));
    EXPECT_EQ(harness::rect_in_parent(list).top, fh + 8);
    size_to(filter_fits);
    EXPECT_TRUE(IsWindowVisible(filter));
    EXPECT_FALSE(IsWindowVisible(add));
    size_to(filter_fits + 1);
    EXPECT_TRUE(IsWindowVisible(filter));
    EXPECT_FALSE(IsWindowVisible(add));
    size_to(add_fits - 1);
    EXPECT_TRUE(IsWindowVisible(filter));
    EXPECT_FALSE(IsWindowVisible(add));
    EXPECT_EQ(harness::rect_in_parent(list).top, fh + 8);
    size_to(add_fits);
    EXPECT_TRUE(IsWindowVisible(add));
    size_to(add_fits + 1);
    EXPECT_TRUE(IsWindowVisible(filter));
    EXPECT_TRUE(IsWindowVisible(add));
    RECT client{};
    GetClientRect(docked.window(), &client);
    EXPECT_EQ(harness::rect_in_parent(add).right, client.right - 4);
    EXPECT_EQ(harness::rect_in_parent(list).bottom, client.bottom - 4);
}

using PanelEdits = DockedPanels;

TEST_F(PanelEdits, FocusClearsAPlaceholderAndLeavingEmptyRestoresItWithoutARebuild) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE", "Pop"));
    auto& panel = panel_of(docked);
    const HWND filter = control(docked, IDC_PANEL_FILTER);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    harness::click_check_box(list, row_of(list, L"Pop"));
    SetFocus(filter);
    EXPECT_EQ(sonavel::uGetWindowText(filter), "");
    SetFocus(list);
    EXPECT_EQ(sonavel::uGetWindowText(filter), "-- filter values --");
    EXPECT_TRUE(panel.model()->has_pending_edits()) << "the placeholder's own changes are no typing";
    EXPECT_TRUE(engines().memory_tags.written().empty());
}

TEST_F(PanelEdits, TypingAFilterNarrowsTheRowsOrWritesPendingEditsFirst) {
    playlist({{"Rock"}, {"Pop"}, {"Punk"}}, {0});
    auto& docked = dock(preset("G", "GENRE", "Pop;Punk"));
    const HWND filter = control(docked, IDC_PANEL_FILTER);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    sonavel::uSetWindowText(filter, "p");
    EXPECT_EQ(rows(list), (std::vector<std::wstring>{L"Pop", L"Punk"}));

    harness::click_check_box(list, row_of(list, L"Punk"));
    sonavel::uSetWindowText(filter, "pu");
    settle();
    EXPECT_EQ(genres_of(tracks_[0]), (std::vector<std::string>{"Rock", "Punk"}));
}

TEST_F(PanelEdits, TypingIntoTheAddBoxMakesEditsPending) {
    playlist({{"Rock"}}, {0});
    auto& docked = dock(preset("G", "GENRE"));
    auto& panel = panel_of(docked);
    sonavel::uSetWindowText(control(docked, IDC_PANEL_ADD), "Blues");
    EXPECT_TRUE(panel.model()->has_pending_edits());
}

using PanelKeys = DockedPanels;

TEST_F(PanelKeys, EnterInTheAddBoxWritesTheTypedValues) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE"));
    const HWND add = control(docked, IDC_PANEL_ADD);
    ASSERT_TRUE(harness::focus(add));
    harness::type_text(add, L"Blues");
    harness::press_key(add, VK_RETURN);
    settle();
    EXPECT_EQ(genres_of(tracks_[0]), (std::vector<std::string>{"Rock", "Blues"}));
    EXPECT_EQ(genres_of(tracks_[1]), (std::vector<std::string>{"Pop"}));
}

TEST_F(PanelKeys, EnterInTheValueListWritesTheTicks) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE", "Jazz"));
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    harness::click_check_box(list, row_of(list, L"Jazz"));
    ASSERT_TRUE(harness::focus(list));
    harness::press_key(list, VK_RETURN);
    settle();
    EXPECT_EQ(genres_of(tracks_[0]), (std::vector<std::string>{"Rock", "Jazz"}));
    EXPECT_FALSE(panel_of(docked).model()->has_pending_edits());
}

TEST_F(PanelKeys, ATickWithTheMouseTakesTheFocusSoThatEnterWrites) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE", "Jazz"));
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    // The focus is elsewhere, as after a click in the playlist.
    ASSERT_TRUE(harness::focus(host_.main_window()));
    harness::click_check_box(list, row_of(list, L"Jazz"));
    EXPECT_EQ(GetFocus(), list);
    // Enter goes to wherever the focus now is.
    harness::press_key(GetFocus(), VK_RETURN);
    settle();
    EXPECT_EQ(genres_of(tracks_[0]), (std::vector<std::string>{"Rock", "Jazz"}));

    // A click on a check box that changes nothing moves the focus all the same.
    ASSERT_TRUE(harness::focus(host_.main_window()));
    engines().select({});
    settle();
    harness::click_check_box(list, row_of(list, L"Jazz"));
    EXPECT_EQ(GetFocus(), list);
}

TEST_F(PanelKeys, TheAddBoxsPlaceholderIsNeverTyping) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE", "Jazz"));
    auto& panel = panel_of(docked);
    const HWND add = control(docked, IDC_PANEL_ADD);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    // In and out of the add box: the placeholder goes and comes back, and nothing is pending.
    ASSERT_TRUE(harness::focus(add));
    EXPECT_EQ(sonavel::uGetWindowText(add), "");
    ASSERT_TRUE(harness::focus(list));
    EXPECT_EQ(sonavel::uGetWindowText(add), "-- add values --");
    EXPECT_FALSE(panel.model()->has_pending_edits());
    panel.model()->rebuild_now();
    EXPECT_FALSE(panel.model()->has_pending_edits()) << "a rebuild puts the placeholder back";

    // A tick written with the placeholder still in the add box writes the tick alone.
    harness::click_check_box(list, row_of(list, L"Jazz"));
    harness::press_key(list, VK_RETURN);
    settle();
    EXPECT_EQ(genres_of(tracks_[0]), (std::vector<std::string>{"Rock", "Jazz"}));
    EXPECT_EQ(genres_of(tracks_[1]), (std::vector<std::string>{"Pop"}));
}

TEST_F(PanelKeys, EnterInTheFilterAndCtrlEnterAnywhereWriteNothing) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE"));
    const HWND add = control(docked, IDC_PANEL_ADD);
    const HWND filter = control(docked, IDC_PANEL_FILTER);
    ASSERT_TRUE(harness::focus(add));
    harness::type_text(add, L"Blues");
    harness::press_key(add, VK_RETURN, harness::modifiers::ctrl);
    ASSERT_TRUE(harness::focus(filter));
    harness::press_key(filter, VK_RETURN);
    settle();
    EXPECT_TRUE(engines().memory_tags.written().empty());
    const auto& offered = engines().shortcuts.offered();
    EXPECT_TRUE(std::any_of(offered.begin(), offered.end(), [](const auto& o) { return (o.second & 0xFF) == VK_RETURN; }))
        << "Ctrl+Enter goes to the host's shortcuts";
}

TEST_F(PanelKeys, EscapeRevertsAndTabMovesBetweenTheControls) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE", "Pop"));
    auto& panel = panel_of(docked);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    const int pop = row_of(list, L"Pop");
    harness::click_check_box(list, pop);
    ASSERT_EQ(harness::state_image(list, pop), 2);
    ASSERT_TRUE(harness::focus(list));
    harness::press_key(list, VK_ESCAPE);
    harness::pump_pending();
    EXPECT_EQ(harness::state_image(list, pop), 1);
    EXPECT_FALSE(panel.model()->has_pending_edits());

    harness::press_key(list, VK_TAB);
    harness::pump_pending();
    EXPECT_EQ(GetFocus(), control(docked, IDC_PANEL_FILTER));
}

TEST_F(PanelKeys, KeysInTheListReachTheHostsShortcutsButRemoveNoTrackFromThePlaylist) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE"));
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    ASSERT_TRUE(harness::focus(list));
    harness::press_key(list, VK_DELETE);
    harness::pump_pending();
    const auto& offered = engines().shortcuts.offered();
    EXPECT_TRUE(std::any_of(offered.begin(), offered.end(), [](const auto& o) { return (o.second & 0xFF) == VK_DELETE; }));
    const std::size_t active = engines().playlists.get_active_playlist();
    EXPECT_EQ(engines().playlists.get_item_count(active), 2u) << "Delete in the panel is not the playlist's Remove";
}

TEST_F(PanelKeys, CtrlATypedIntoTheAddBoxSelectsNoTracksAndWritesNothing) {
    playlist({{"Rock"}, {"Pop"}, {"Jazz"}}, {0});
    auto& docked = dock(preset("G", "GENRE"));
    const HWND add = control(docked, IDC_PANEL_ADD);
    ASSERT_TRUE(harness::focus(add));
    harness::type_text(add, L"Dre");
    harness::press_key(add, 'A', harness::modifiers::ctrl);
    settle();
    const std::size_t active = engines().playlists.get_active_playlist();
    EXPECT_EQ(engines().playlists.get_selected_items(active).size(), 1u) << "the playlist's selection stays";
    EXPECT_TRUE(engines().memory_tags.written().empty()) << "half-typed text is not written";
    EXPECT_EQ(genres_of(tracks_[0]), (std::vector<std::string>{"Rock"}));
    const auto& offered = engines().shortcuts.offered();
    EXPECT_TRUE(std::any_of(offered.begin(), offered.end(), [](const auto& o) { return o.second == ('A' | sonavel::keyboard_shortcut_manager::mod_ctrl); }))
        << "the key was still offered to the host";
}

using PanelAppearanceTest = DockedPanels;

TEST_F(PanelAppearanceTest, EdgeStyleReplacesTheTemplatesEdges) {
    quennet::Options none = preset("G", "GENRE");
    none.edge_style = quennet::Options::edge_none;
    auto& docked = dock(none);
    auto& panel = panel_of(docked);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    auto edges = [](HWND w) { return DWORD(GetWindowLongPtrW(w, GWL_EXSTYLE)) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE); };
    EXPECT_EQ(edges(list), 0u);
    EXPECT_EQ(edges(control(docked, IDC_PANEL_ADD)), 0u);
    panel.current().edge_style = quennet::Options::edge_sunken;
    panel.apply_appearance(true);
    EXPECT_EQ(edges(list), DWORD(WS_EX_CLIENTEDGE));
    panel.current().edge_style = quennet::Options::edge_grey;
    panel.apply_appearance(true);
    EXPECT_EQ(edges(list), DWORD(WS_EX_STATICEDGE));
    EXPECT_EQ(edges(docked.window()), DWORD(WS_EX_STATICEDGE));
}

TEST_F(PanelAppearanceTest, GlobalColourChangeReachesPresetsThatFollowThem) {
    playlist({{"Rock"}}, {0});
    auto& docked = dock(preset("G", "GENRE"));
    auto& panel = panel_of(docked);
    engines().colours.set_colour(panoplex::colours::colour_background, RGB(1, 2, 3));
    EXPECT_TRUE(harness::pump_until([&] { return panel.current().list_back_color == RGB(1, 2, 3); }));
    EXPECT_EQ(COLORREF(SendMessageW(control(docked, IDC_PANEL_VALUE_LIST), LVM_GETBKCOLOR, 0, 0)), RGB(1, 2, 3));
}

}  // namespace
}  // namespace window_test
