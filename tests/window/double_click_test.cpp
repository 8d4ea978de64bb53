// A double click on a value fills a playlist from the library.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "panel/window/DoubleClickQuery.h"
#include "panel/window/TrackSort.h"
#include "resources/resource.h"
#include "sdk/playlist.h"
#include "sdk/utf8.h"
#include "tests/harness/mouse.h"
#include "tests/window/panel_window_fixture.h"

namespace window_test {
namespace {

class DoubleClick : public DockedPanels {
protected:
    // Library tracks: genre, artist, title.
    void library(const std::vector<std::array<std::string, 3>>& rows_of_tracks) {
        for (std::size_t i = 0; i < rows_of_tracks.size(); ++i) {
            const auto& r = rows_of_tracks[i];
            library_.push_back(engines().add_track("C:\\Library\\" + std::to_string(i) + ".flac",
                                                   {{"GENRE", {r[0]}}, {"ARTIST", {r[1]}}, {"TITLE", {r[2]}}}));
        }
    }
    std::vector<std::string> titles_in(std::size_t playlist) {
        std::vector<std::string> out;
        auto& playlists = engines().playlists;
        for (std::size_t i = 0; i < playlists.get_item_count(playlist); ++i) {
            sonavel::file_info_impl info;
            playlists.get_item_handle(playlist, i)->get_info(info);
            out.emplace_back(info.meta_get("TITLE", 0) ? info.meta_get("TITLE", 0) : "");
        }
        return out;
    }
    sonavel::metadb_handle_list library_;
};

TEST_F(DoubleClick, QueryNamesTheFieldAndEveryFocusedValue) {
    EXPECT_EQ(quennet::double_click_query("GENRE", "Rock", {}, {}), "GENRE IS \"Rock\"");
    EXPECT_EQ(quennet::double_click_query("GENRE", "Rock", {"ARTIST", "ALBUM"}, {{"A"}, {"B1", "B2"}}),
              "GENRE IS \"Rock\" AND (ARTIST IS \"A\" OR ALBUM IS \"B1\" OR ALBUM IS \"B2\")");
    EXPECT_EQ(quennet::double_click_query("GENRE", "Rock", {"ARTIST", "ALBUM"}, {{}, {"B1"}}),
              "GENRE IS \"Rock\" AND (ALBUM IS \"B1\")");
    EXPECT_EQ(quennet::double_click_query("GENRE", "Rock", {"ARTIST"}, {{}}), "GENRE IS \"Rock\"");
    EXPECT_EQ(quennet::double_click_query("GENRE", R"(Rock "n" Roll)", {"ARTIST"}, {{R"(The "B")"}}),
              R"(GENRE IS "Rock ""n"" Roll" AND (ARTIST IS "The ""B"""))");
}

TEST_F(DoubleClick, FormattingThreadsFollowTheListSize) {
    EXPECT_EQ(quennet::format_thread_count(255, 8), 0u);
    EXPECT_EQ(quennet::format_thread_count(256, 8), 2u);
    EXPECT_EQ(quennet::format_thread_count(10000, 8), 8u);
    EXPECT_EQ(quennet::format_thread_count(300, 0), 1u);
    EXPECT_GE(quennet::available_processors(), 1u);
}

TEST_F(DoubleClick, OnAValuesTextItFillsAPlaylistNamedAfterIt) {
    library({{"Rock", "A", "one"}, {"Pop", "B", "two"}, {"Rock", "C", "three"}});
    playlist({{"Rock"}}, {0});
    auto& docked = dock(preset("G", "GENRE"));
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    const std::size_t before = engines().playlists.get_playlist_count();
    harness::double_click_label(list, row_of(list, L"Rock"));
    settle();
    auto& playlists = engines().playlists;
    ASSERT_EQ(playlists.get_playlist_count(), before + 1);
    const std::size_t made = playlists.find_playlist("Rock");
    ASSERT_EQ(made, before);
    EXPECT_EQ(playlists.get_active_playlist(), made);
    // Library order, then the test playlist's own track, which is in the library too.
    EXPECT_EQ(titles_in(made).size(), 3u);
    EXPECT_EQ(playlists.get_focus_item(made), 0u);
    EXPECT_TRUE(playlists.get_selected_items(made).empty());
}

TEST_F(DoubleClick, OnTheCheckBoxItDoesNothing) {
    library({{"Rock", "A", "one"}});
    playlist({{"Rock"}}, {0});
    auto& docked = dock(preset("G", "GENRE"));
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    const std::size_t before = engines().playlists.get_playlist_count();
    harness::double_click(list, harness::check_box_point(list, row_of(list, L"Rock")));
    settle();
    EXPECT_EQ(engines().playlists.get_playlist_count(), before);
}

TEST_F(DoubleClick, ReplaceEmptiesAnExistingPlaylistOfAnyCaseAndSortsLogically) {
    library({{"Jazz", "A", "Track 10"}, {"Jazz", "B", "track 9"}, {"Pop", "C", "Track 1"}});
    playlist({{"Jazz"}}, {0});
    auto& playlists = engines().playlists;
    const std::size_t existing = engines().add_playlist("MY LIST", {library_[2]}, /*activate=*/false);
    quennet::Options options = preset("G", "GENRE");
    options.playlist_name = "my list";
    options.sort_order = "%title%";
    options.doubleclick_action = quennet::Options::replace_playlist;
    auto& docked = dock(options);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    harness::double_click_label(list, row_of(list, L"Jazz"));
    settle();
    // The selected playlist track has no title and is a library track too.
    EXPECT_EQ(titles_in(existing), (std::vector<std::string>{"", "track 9", "Track 10"}));
    EXPECT_EQ(playlists.get_active_playlist(), existing);

    options.doubleclick_action = quennet::Options::add_to_playlist;
    panel_of(docked).current() = options;
    harness::double_click_label(list, row_of(list, L"Jazz"));
    settle();
    EXPECT_EQ(titles_in(existing), (std::vector<std::string>{"", "track 9", "Track 10", "", "track 9", "Track 10"}));
}

TEST_F(DoubleClick, AValueWithDoubleQuotesFindsExactlyItsTracks) {
    const std::string quoted = R"(Rock "n" Roll)";
    // Read as query, this value would select the Pop and the Rock tracks.
    const std::string tricky = R"(Pop" OR GENRE IS "Rock)";
    library({{quoted, "A", "quoted"}, {"Rock", "B", "rock"}, {"Pop", "C", "pop"}, {tricky, "D", "tricky"}});
    playlist({{quoted, tricky}}, {0});
    quennet::Options options = preset("G", "GENRE");
    options.sort_order = "%title%";
    auto& docked = dock(options);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    auto& playlists = engines().playlists;

    harness::double_click_label(list, row_of(list, sonavel::utf8_to_wide(quoted)));
    settle();
    ASSERT_NE(playlists.find_playlist(quoted.c_str()), sonavel::no_item);
    EXPECT_EQ(playlists.get_active_playlist(), playlists.find_playlist(quoted.c_str()));
    // The selected playlist track carries the value too and has no title.
    EXPECT_EQ(titles_in(playlists.find_playlist(quoted.c_str())), (std::vector<std::string>{"", "quoted"}));

    harness::double_click_label(list, row_of(list, sonavel::utf8_to_wide(tricky)));
    settle();
    ASSERT_NE(playlists.find_playlist(tricky.c_str()), sonavel::no_item);
    EXPECT_EQ(titles_in(playlists.find_playlist(tricky.c_str())), (std::vector<std::string>{"", "tricky"}));
}

TEST_F(DoubleClick, ReplaceEmptiesThePlaylistEvenWhenNothingMatches) {
    library({{"Rock", "A", "one"}});
    playlist({{"Rock"}}, {0});
    auto& playlists = engines().playlists;
    const std::size_t target = engines().add_playlist("Target", {library_[0]}, /*activate=*/false);
    quennet::Options options = preset("G", "GENRE", "Soul");
    options.playlist_name = "Target";
    options.doubleclick_action = quennet::Options::replace_playlist;
    auto& docked = dock(options);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    harness::double_click_label(list, row_of(list, L"Soul"));
    settle();
    EXPECT_EQ(playlists.get_item_count(target), 0u);
    EXPECT_EQ(playlists.get_active_playlist(), target);

}

TEST_F(DoubleClick, FocusedTrackNarrowsTheQueryToItsArtists) {
    library({{"Rock", "A", "one"}, {"Rock", "B", "two"}, {"Rock", "A", "three"}});
    playlist({{"Rock"}}, {0});
    engines().focus(0);
    // The playlist's own track has no ARTIST: with only that focused, nothing narrows the query.
    quennet::Options options = preset("G", "GENRE");
    options.filter_on_focused_tags = true;
    options.filter_fields = "ARTIST";
    auto& docked = dock(options);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    auto& playlists = engines().playlists;
    const std::size_t test_playlist = playlists.get_active_playlist();
    playlists.insert_items(test_playlist, sonavel::no_item, {library_[1]}, sonavel::bit_array_false());
    playlists.set_focus_item(test_playlist, 1);
    settle();
    harness::double_click_label(list, row_of(list, L"Rock"));
    settle();
    EXPECT_EQ(titles_in(playlists.find_playlist("Rock")), (std::vector<std::string>{"two"}));
}

}  // namespace
}  // namespace window_test
