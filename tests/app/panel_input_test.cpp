// What the panel writes is what the user meant: its placeholder never becomes a value, typed values are
// trimmed, a value holding ";" stays one value across a restart, and unwritten changes are announced in
// the player's status bar. The player with quennet.dll over real files, read back through TagLib.
#include <windows.h>

#include <algorithm>

#include "resources/resource.h"
#include "sdk/win/uwin.h"
#include "tests/app/player_fixture.h"
#include "tests/harness/keyboard.h"

namespace app_test {
namespace {

using part = player::PlayerStatus::part;
using Strings = std::vector<std::string>;

class PanelInput : public PlayerFixture {
protected:
    std::wstring news() { return window().status().bar().text(part::part_news); }
    Strings genres(const wchar_t* file) { return values_of(tags_of(music_.file(file)), "GENRE"); }
    // Every value the panel keeps in its stored configuration, current record and presets.
    static Strings stored_values(player::DockedPanel& docked) {
        sonavel::stream_writer_buffer out;
        sonavel::abort_callback_dummy abort;
        docked.panel()->save_config(out, abort);
        sonavel::stream_reader_memblock in(out.data());
        quennet::Options current;
        std::vector<quennet::Options> presets;
        quennet::read_store(in, abort, current, presets);
        Strings all = current.tags;
        for (const auto& preset : presets) all.insert(all.end(), preset.tags.begin(), preset.tags.end());
        return all;
    }
    // A panel for GENRE that also lists every GENRE value of the library.
    player::DockedPanel& dock_scanning_panel() {
        quennet::Options preset;
        preset.name = "Genres";
        preset.metadata_field = "GENRE";
        preset.scan_library = true;
        preset.scan_fields = "GENRE";
        sonavel::stream_writer_buffer config;
        sonavel::abort_callback_dummy abort;
        quennet::write_store(config, abort, preset, {preset});
        auto& docked = window().dock(varnel_type()->type, config.data());
        harness::pump_for(std::chrono::milliseconds(50));
        return docked;
    }
    static std::vector<std::wstring> rows(HWND list) {
        std::vector<std::wstring> texts;
        for (int i = 0; i < harness::item_count(list); ++i) texts.push_back(harness::item_text(list, i));
        std::sort(texts.begin(), texts.end());
        return texts;
    }
};

TEST_F(PanelInput, EscapeInTheAddBoxThenTypingWritesExactlyTheTypedValue) {
    start();
    auto& docked = dock_genre_panel();
    const HWND values = GetDlgItem(docked.window(), IDC_PANEL_VALUE_LIST);
    const HWND add = GetDlgItem(docked.window(), IDC_PANEL_ADD);
    harness::click_label(playlist(), 0);
    ASSERT_EVENTUALLY(row_of(values, L"Rock") >= 0);
    ASSERT_TRUE(harness::focus(add));
    harness::type_text(add, L"Blues");
    harness::press_key(add, VK_ESCAPE);
    harness::pump_for(std::chrono::milliseconds(40));
    // Reverted, and the box the user is typing in stays empty rather than showing its placeholder.
    EXPECT_EQ(GetFocus(), add);
    EXPECT_EQ(sonavel::uGetWindowText(add), "");
    harness::type_text(add, L"Swing");
    harness::press_key(add, VK_RETURN);
    ASSERT_EVENTUALLY(idle() && news() == L"Updated 1 file");
    EXPECT_EQ(genres(L"01 first.mp3"), (Strings{"Rock", "Swing"}));
    for (const std::string& value : stored_values(docked))
        EXPECT_EQ(value.find("add values"), std::string::npos) << value;

    // When the focus leaves the box its placeholder comes back, as text nobody writes.
    ASSERT_TRUE(harness::focus(values));
    EXPECT_EQ(sonavel::uGetWindowText(add), "-- add values --");
}

TEST_F(PanelInput, ARefillWhileTheAddBoxHasTheFocusLeavesItEmpty) {
    start();
    auto& docked = dock_genre_panel();
    const HWND values = GetDlgItem(docked.window(), IDC_PANEL_VALUE_LIST);
    const HWND add = GetDlgItem(docked.window(), IDC_PANEL_ADD);
    harness::click_label(playlist(), 0);
    ASSERT_EVENTUALLY(row_of(values, L"Rock") >= 0);
    ASSERT_TRUE(harness::focus(add));
    // The selection changes behind the user's back: the panel refills.
    auto& playlists = engines().playlists;
    const std::size_t active = playlists.get_active_playlist();
    playlists.set_selection(active, sonavel::bit_array_true(), sonavel::bit_array_one(1));
    ASSERT_EVENTUALLY(row_of(values, L"Pop") >= 0);
    EXPECT_EQ(sonavel::uGetWindowText(add), "");
    harness::type_text(add, L"Jazz");
    harness::press_key(add, VK_RETURN);
    ASSERT_EVENTUALLY(idle() && news() == L"Updated 1 file");
    EXPECT_EQ(genres(L"02 second.mp3"), (Strings{"Rock", "Pop", "Jazz"}));
    EXPECT_EQ(genres(L"01 first.mp3"), (Strings{"Rock"}));
}

TEST_F(PanelInput, TypedValuesAreTrimmedAndEmptyPiecesAddNothing) {
    start();
    auto& docked = dock_genre_panel();
    const HWND values = GetDlgItem(docked.window(), IDC_PANEL_VALUE_LIST);
    const HWND add = GetDlgItem(docked.window(), IDC_PANEL_ADD);
    harness::click_label(playlist(), 0);
    ASSERT_EVENTUALLY(row_of(values, L"Rock") >= 0);
    ASSERT_TRUE(harness::focus(add));
    harness::type_text(add, L"Nordic Folk; Kammarmusik \u00E9");
    harness::press_key(add, VK_RETURN);
    ASSERT_EVENTUALLY(idle() && news() == L"Updated 1 file");
    EXPECT_EQ(genres(L"01 first.mp3"), (Strings{"Rock", "Nordic Folk", "Kammarmusik \xC3\xA9"}));
    EXPECT_GE(row_of(values, L"Kammarmusik \u00E9"), 0);
    EXPECT_LT(row_of(values, L" Kammarmusik \u00E9"), 0);

    ASSERT_TRUE(harness::focus(add));
    harness::type_text(add, L"Lo-Fi;;  ;");
    harness::press_key(add, VK_RETURN);
    ASSERT_EVENTUALLY(idle() && genres(L"01 first.mp3").size() == 4);
    EXPECT_EQ(genres(L"01 first.mp3"), (Strings{"Rock", "Nordic Folk", "Kammarmusik \xC3\xA9", "Lo-Fi"}));
    const Strings kept = stored_values(docked);
    EXPECT_TRUE(std::none_of(kept.begin(), kept.end(), [](const std::string& v) {
        return v.find_first_not_of(' ') == std::string::npos || v.front() == ' ' || v.back() == ' ';
    }));
}

TEST_F(PanelInput, AValueHoldingASemicolonIsStillOneValueAfterARestart) {
    song(L"04 fourth.mp3", "Dee", {"Jazz; Acoustic"});
    start();
    dock_scanning_panel();
    const auto list_of = [this] { return GetDlgItem(window().docked()[0]->window(), IDC_PANEL_VALUE_LIST); };
    ASSERT_EVENTUALLY(row_of(list_of(), L"Jazz; Acoustic") >= 0);
    const std::vector<std::wstring> before = rows(list_of());
    EXPECT_EQ(before, (std::vector<std::wstring>{L"Jazz", L"Jazz; Acoustic", L"Pop", L"Rock"}));
    app_.reset();

    start();
    ASSERT_EQ(window().docked().size(), 1u);
    ASSERT_EVENTUALLY(row_of(list_of(), L"Jazz; Acoustic") >= 0);
    EXPECT_EQ(rows(list_of()), before);
    // Ticked on a selected track, the value is the file's own: no piece of it is offered or written.
    harness::click_label(playlist(), row_of(playlist(), L"Dee"));
    ASSERT_EVENTUALLY(harness::state_image(list_of(), row_of(list_of(), L"Jazz; Acoustic")) == 2);
    EXPECT_LT(row_of(list_of(), L" Acoustic"), 0);
}

TEST_F(PanelInput, TheStatusBarTellsWhatIsPendingUntilEnterOrEscape) {
    start();
    auto& docked = dock_genre_panel();
    const HWND values = GetDlgItem(docked.window(), IDC_PANEL_VALUE_LIST);
    const HWND add = GetDlgItem(docked.window(), IDC_PANEL_ADD);
    harness::click_label(playlist(), 0);
    ASSERT_EVENTUALLY(row_of(values, L"Jazz") >= 0);
    const std::wstring quiet = news();

    harness::click_check_box(values, row_of(values, L"Jazz"));
    EXPECT_EVENTUALLY(news() == L"Pending: 1 change \u2014 Enter writes, Esc discards");
    ASSERT_TRUE(harness::focus(add));
    harness::type_text(add, L"Blues");
    EXPECT_EVENTUALLY(news() == L"Pending: 2 changes \u2014 Enter writes, Esc discards");
    harness::press_key(add, VK_ESCAPE);
    EXPECT_EVENTUALLY(news() == quiet);
    EXPECT_EQ(genres(L"01 first.mp3"), (Strings{"Rock"}));

    harness::click_check_box(values, row_of(values, L"Jazz"));
    EXPECT_EVENTUALLY(news() == L"Pending: 1 change \u2014 Enter writes, Esc discards");
    harness::press_key(values, VK_RETURN);
    ASSERT_EVENTUALLY(idle() && news() == L"Updated 1 file");
    EXPECT_EQ(genres(L"01 first.mp3"), (Strings{"Rock", "Jazz"}));
}

}  // namespace
}  // namespace app_test
