// Values from the library: the scan step, the focused-tags filter and the re-scan of added tracks.
#include <gtest/gtest.h>

#include "panel/model/LibraryScan.h"
#include "panel/model/ValueGathering.h"
#include "tests/model/model_fixture.h"

namespace {

using Strings = std::vector<std::string>;

class LibraryValues : public model_test::ModelTest {
protected:
    LibraryValues() {
        panel.current.metadata_field = "GENRE";
        panel.current.sort_list = false;
    }
    model_test::RecordingPanel panel;
    quennet::PanelFiller filler{panel};
};

TEST_F(LibraryValues, ScanGathersTheFieldItselfWhenNoScanFieldsAreGiven) {
    track("mem://1", {{"GENRE", {"Rock", "Pop"}}, {"STYLE", {"Grunge"}}});
    track("mem://2", {{"GENRE", {"Jazz"}}});
    track("mem://outside", {{"GENRE", {"Polka"}}}, false);
    panel.current.scan_library = true;
    filler.request_fill(quennet::panel_shown);
    EXPECT_EQ(panel.current.tags, (Strings{"Rock", "Pop", "Jazz"}));
}

TEST_F(LibraryValues, EmptyScanFieldPiecesAreDropped) {
    track("mem://1", {{"GENRE", {"Rock"}}, {"STYLE", {"Grunge"}}});
    panel.current.scan_library = true;
    panel.current.scan_fields = ";;STYLE;";
    filler.request_fill(quennet::panel_shown);
    EXPECT_EQ(panel.current.tags, (Strings{"Grunge"}));
    EXPECT_EQ(quennet::split_fields(";;STYLE;"), (Strings{"", "", "STYLE", ""}));
}

TEST_F(LibraryValues, ScanDoesNotRunWhenOffUnlessForced) {
    track("mem://1", {{"GENRE", {"Rock"}}});
    filler.request_fill(quennet::panel_shown);
    EXPECT_TRUE(panel.current.tags.empty());
    // Synchronize: the list becomes what the library holds; preset values nobody carries go.
    panel.current.add_tags("Forgotten", ';');
    filler.request_fill(quennet::synchronize);
    EXPECT_EQ(panel.current.tags, (Strings{"Rock"}));
}

TEST_F(LibraryValues, SynchronizeKeepsValuesTheSelectionCarries) {
    auto selected = track("mem://sel", {{"GENRE", {"Local"}}}, false);
    track("mem://1", {{"GENRE", {"Rock"}}});
    host.add_playlist("Default", {selected});
    host.select({0});
    panel.current.add_tags("Local;Gone", ';');
    filler.request_fill(quennet::synchronize);
    EXPECT_EQ(panel.current.tags, (Strings{"Local", "Rock"}));
}

class FocusedTagsFilter : public LibraryValues {
protected:
    FocusedTagsFilter() {
        panel.current.filter_on_focused_tags = true;
        panel.current.filter_fields = "ARTIST";
        focused = track("mem://focus", {{"ARTIST", {"A"}}, {"GENRE", {"Rock"}}});
        track("mem://a1", {{"ARTIST", {"a"}}, {"GENRE", {"rock", "Pop"}}});
        track("mem://a2", {{"ARTIST", {"B", "A"}}, {"GENRE", {"Electro"}}});
        track("mem://b", {{"ARTIST", {"B"}}, {"GENRE", {"Jazz"}}});
    }
    sonavel::metadb_handle_ptr focused;
};

TEST_F(FocusedTagsFilter, ListsValuesOfRelatedLibraryTracksInByteOrder) {
    host.add_playlist("Default", {focused});
    host.focus(0);
    panel.current.add_tags("Preset value", ';');
    filler.request_fill(quennet::panel_shown);
    // Related: the focused track itself, "a" (case-insensitive) and the track with A as its second artist.
    EXPECT_EQ(panel.current.tags, (Strings{"Electro", "Pop", "Rock", "rock"}));
}

TEST_F(FocusedTagsFilter, SuppressesTheLibraryScanOfTheSameFill) {
    host.add_playlist("Default", {focused});
    host.focus(0);
    panel.current.scan_library = true;
    filler.request_fill(quennet::refresh);
    EXPECT_EQ(filler.flags() & quennet::fill_scan_library, 0u);
    EXPECT_EQ(std::count(panel.current.tags.begin(), panel.current.tags.end(), "Jazz"), 0);
}

TEST_F(FocusedTagsFilter, WithoutFocusOnlyTheSelectionIsListedAndTheScanStillRuns) {
    host.add_playlist("Default", {focused});
    host.select({0});
    panel.current.add_tags("Preset value", ';');
    filler.request_fill(quennet::playlist_changed);
    EXPECT_EQ(panel.current.tags, (Strings{"Rock"}));
    EXPECT_NE(filler.flags() & quennet::fill_focused_filter, 0u);

    panel.current.scan_library = true;
    filler.request_fill(quennet::refresh);
    EXPECT_NE(filler.flags() & quennet::fill_scan_library, 0u) << "the filter failed, so the scan runs";
}

TEST_F(FocusedTagsFilter, SeveralFilterFieldsMatchIndependently) {
    auto album_mate = track("mem://album", {{"ALBUM", {"B1"}}, {"GENRE", {"Blues"}}});
    (void)album_mate;
    host.change_tags(focused, {{"ARTIST", {"Nobody"}}, {"ALBUM", {"b1"}}, {"GENRE", {"Rock"}}});
    host.add_playlist("Default", {focused});
    host.focus(0);
    panel.current.filter_fields = "ARTIST;ALBUM";
    filler.request_fill(quennet::focused_filter_enabled);
    EXPECT_EQ(panel.current.tags, (Strings{"Blues", "Rock"}));
}

TEST_F(LibraryValues, AddedTracksWithNewValuesRefillWithEventTwo) {
    panel.current.scan_library = true;
    track("mem://1", {{"GENRE", {"Rock"}}});
    filler.request_fill(quennet::panel_shown);
    int rebuilds = panel.rebuilds;

    auto same = track("mem://2", {{"GENRE", {"Rock"}}});
    quennet::rescan_added_tracks(panel.current, filler, {same});
    EXPECT_EQ(panel.rebuilds, rebuilds) << "nothing new, no refill";

    auto styled = track("mem://3", {{"GENRE", {"Rock"}}, {"STYLE", {"Grunge"}}});
    panel.current.scan_fields = "GENRE;STYLE";
    quennet::rescan_added_tracks(panel.current, filler, {styled});
    EXPECT_EQ(panel.rebuilds, rebuilds) << "only the panel's own field is re-scanned";

    auto fresh = track("mem://4", {{"GENRE", {"Bossa"}}});
    quennet::rescan_added_tracks(panel.current, filler, {fresh});
    EXPECT_EQ(panel.rebuilds, rebuilds + 1);
    EXPECT_EQ(filler.flags(), quennet::fill_flags_of(quennet::library_values_added));
    EXPECT_NE(std::find(panel.current.tags.begin(), panel.current.tags.end(), "Bossa"), panel.current.tags.end());
}

}  // namespace
