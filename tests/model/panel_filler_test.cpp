// Panel filling: the steps each event runs, counting, the preset write-through, refusals and timing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "host/Settings.h"
#include "tests/model/model_fixture.h"

namespace {

using quennet::PanelFiller;
using Strings = std::vector<std::string>;

class PanelFilling : public model_test::ModelTest {
protected:
    PanelFilling() {
        panel.current.metadata_field = "GENRE";
        panel.current.sort_list = false;
    }
    ~PanelFilling() override { quennet::cfg_console_output() = false; }

    // Three tracks in the active playlist, all selected.
    void three_selected(const std::vector<std::vector<std::string>>& genres) {
        sonavel::metadb_handle_list tracks;
        for (std::size_t i = 0; i < genres.size(); ++i) {
            tracks.push_back(track("mem://t" + std::to_string(i), {{"GENRE", genres[i]}, {"ARTIST", {"A"}}}));
        }
        host.add_playlist("Default", tracks);
        std::vector<std::size_t> all(tracks.size());
        for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
        host.select(all);
    }

    model_test::RecordingPanel panel;
    PanelFiller filler{panel};
};

TEST_F(PanelFilling, CountsAreByOccurrenceAndByteWise) {
    three_selected({{"Rock", "Pop"}, {"Rock"}, {"rock", "Rock"}});
    filler.request_fill(quennet::playlist_changed);
    const auto& counts = panel.current.value_counts;
    EXPECT_EQ(counts.at("Rock"), 3u);
    EXPECT_EQ(counts.at("rock"), 1u);
    EXPECT_EQ(counts.at("Pop"), 1u);
    EXPECT_EQ(panel.current.tags, (Strings{"Rock", "Pop", "rock"})) << "selection order, then value order";
    EXPECT_EQ(filler.selected_tracks().size(), 3u);
    EXPECT_EQ(panel.rebuilds, 1);
    EXPECT_EQ(panel.controls_updates, 2) << "once as the fill starts, once as it ends";
    EXPECT_FALSE(filler.running());
}

TEST_F(PanelFilling, EmptyValuesAndTracksWithoutRecordAreSkipped) {
    auto with_record = track("mem://a", {{"GENRE", {"", "Jazz"}}});
    auto without = host.store.handle_create("mem://no-record", 0);
    host.add_playlist("Default", {with_record, without});
    host.select({0, 1});
    filler.request_fill(quennet::playlist_changed);
    EXPECT_EQ(panel.current.tags, (Strings{"Jazz"}));
    EXPECT_EQ(panel.current.value_counts.size(), 1u);
}

TEST_F(PanelFilling, RecountOnlyAddsCountedValuesWithoutTheSelectionStep) {
    three_selected({{"Rock"}, {"Rock"}, {}});
    panel.current.add_tags("Blues", ';');
    filler.request_fill(quennet::tags_updated);
    EXPECT_EQ(filler.flags(), 0x10u);
    EXPECT_EQ(panel.current.value_counts.at("Rock"), 2u);
    EXPECT_EQ(panel.current.tags, (Strings{"Blues", "Rock"}));
}

TEST_F(PanelFilling, SortRunsWhenTheEventAsksAndTheListWantsItOrTheFillIsForced) {
    panel.current.add_tags("b;a", ';');
    filler.request_fill(quennet::sort_enabled);
    EXPECT_EQ(panel.current.tags, (Strings{"b", "a"})) << "sort_list off: event 7 leaves the order";
    panel.current.sort_list = true;
    filler.request_fill(quennet::sort_enabled);
    EXPECT_EQ(panel.current.tags, (Strings{"a", "b"}));

    // Synchronize sorts even with sort_list off, and replaces the list by what the library holds.
    track("mem://lib1", {{"GENRE", {"Soul"}}});
    track("mem://lib2", {{"GENRE", {"Funk"}}});
    panel.current.sort_list = false;
    filler.request_fill(quennet::synchronize);
    EXPECT_EQ(panel.current.tags, (Strings{"Funk", "Soul"}));
}

TEST_F(PanelFilling, LibraryScanEventAddsAndSortsButKeepsTheCounts) {
    three_selected({{"Rock"}, {"Rock"}, {"Rock"}});
    track("mem://lib", {{"GENRE", {"Ambient"}}});
    panel.current.scan_library = true;
    panel.current.sort_list = true;
    filler.request_fill(quennet::playlist_changed);
    auto counts = panel.current.value_counts;
    host.change_tags(host.playlists.get_item_handle(0, 0), {{"GENRE", {"Pop"}}});
    filler.request_fill(quennet::library_scan_enabled);
    EXPECT_EQ(panel.current.value_counts, counts) << "event 6 does not recount";
    EXPECT_EQ(panel.current.tags, (Strings{"Ambient", "Pop", "Rock"}));
}

TEST_F(PanelFilling, UnknownEventsRunNoStepButStillStoreAndRebuild) {
    three_selected({{"Rock"}, {}, {}});
    panel.current.name = "Genres";
    panel.presets.resize(2);
    panel.presets[1].name = "Genres";
    panel.current.add_tags("Jazz", ';');
    filler.request_fill(12);
    EXPECT_EQ(filler.flags(), 0u);
    EXPECT_TRUE(panel.current.value_counts.empty());
    EXPECT_EQ(panel.presets[1].tags, (Strings{"Jazz"}));
    EXPECT_EQ(panel.rebuilds, 1);
}

TEST_F(PanelFilling, FoundValuesStayInThePresetOfTheSameName) {
    three_selected({{"Rock"}, {"Pop"}, {}});
    panel.current.name = "Genres";
    panel.presets.resize(1);
    panel.presets[0].name = "Genres";
    filler.request_fill(quennet::playlist_changed);
    EXPECT_EQ(panel.presets[0].tags, (Strings{"Rock", "Pop"}));
    EXPECT_EQ(panel.presets[0].value_counts.at("Pop"), 1u);
}

TEST_F(PanelFilling, ARequestDuringAFillIsRefusedWithAConsoleLine) {
    three_selected({{"Rock"}, {}, {}});
    panel.on_rebuild = [&] { filler.request_fill(quennet::focused_filter_enabled); };
    filler.request_fill(quennet::playlist_changed);
    EXPECT_EQ(panel.rebuilds, 1);
    EXPECT_EQ(component_lines(), (Strings{"Panel filling is already running for event 5"}));
}

TEST_F(PanelFilling, TimingLineOnlyWithConsoleOutput) {
    three_selected({{"Rock"}, {}, {}});
    filler.request_fill(quennet::playlist_changed);
    EXPECT_TRUE(component_lines().empty());
    quennet::cfg_console_output() = true;
    filler.request_fill(quennet::playlist_changed);
    auto lines = component_lines();
    ASSERT_EQ(lines.size(), 1u);
    const std::string prefix = "Panel fill time for metadata field <GENRE>: ";
    ASSERT_EQ(lines[0].compare(0, prefix.size(), prefix), 0) << lines[0];
    std::string number = lines[0].substr(prefix.size());
    ASSERT_GT(number.size(), 7u);
    EXPECT_EQ(number[number.size() - 7], '.');
    EXPECT_EQ(number.find_first_not_of("0123456789."), std::string::npos);
}

TEST(PanelFillTiming, SixDecimalsRoundedHalfUp) {
    EXPECT_EQ(PanelFiller::timing_text("GENRE", 0.0125), "Panel fill time for metadata field <GENRE>: 0.012500");
    EXPECT_EQ(PanelFiller::timing_text("MOOD", 1.0000005), "Panel fill time for metadata field <MOOD>: 1.000001");
    EXPECT_EQ(PanelFiller::timing_text("X", 12.0), "Panel fill time for metadata field <X>: 12.000000");
}

TEST_F(PanelFilling, NoActivePlaylistMeansNoSelectionAndNoFocus) {
    track("mem://lib", {{"GENRE", {"Rock"}}});
    panel.current.scan_library = true;
    filler.request_fill(quennet::panel_shown);
    EXPECT_TRUE(filler.selected_tracks().empty());
    EXPECT_FALSE(filler.focused_track().is_valid());
    EXPECT_TRUE(panel.current.value_counts.empty());
    EXPECT_EQ(filler.library_tracks().size(), 1u);
    EXPECT_EQ(panel.current.tags, (Strings{"Rock"}));
}

TEST_F(PanelFilling, TheLibraryIsTakenOnlyByFillsThatReadIt) {
    track("mem://lib", {{"GENRE", {"Rock"}}});
    filler.request_fill(quennet::panel_shown);
    EXPECT_TRUE(filler.library_tracks().empty()) << "no scan, no focused filter: the library is not copied";
    panel.current.filter_on_focused_tags = true;
    panel.current.filter_fields = "ARTIST";
    filler.request_fill(quennet::playlist_changed);
    EXPECT_EQ(filler.library_tracks().size(), 1u);
}

TEST_F(PanelFilling, TheFocusItemIsTaken) {
    three_selected({{"Rock"}, {"Pop"}, {}});
    host.focus(1);
    filler.request_fill(quennet::playlist_changed);
    EXPECT_EQ(filler.focused_track(), host.playlists.get_item_handle(0, 1));
}

TEST_F(PanelFilling, AFillThatFailsDoesNotStayRunning) {
    three_selected({{"Rock"}, {}, {}});
    // A host without a library service: the fill fails as it takes the library.
    player::HostState bare;
    player::ModuleCore bare_core(bare, "player.exe");
    sonavel::set_core(&bare_core);
    EXPECT_THROW(filler.request_fill(quennet::playlist_changed), sonavel::exception_service_not_found);
    sonavel::set_core(&host.core);
    EXPECT_FALSE(filler.running());
    filler.request_fill(quennet::playlist_changed);
    EXPECT_EQ(panel.rebuilds, 1);
}

}  // namespace

namespace {

// Every event by its number, with the steps it selects; any later number selects none.
constexpr std::uint32_t pinned_flags[] = {0x3E, 0x3E, 0x3C, 0x3C, 0x3E, 0x3C, 0x22, 0x20, 0x3E, 0x37, 0x3C, 0x10, 0};

class FillEventSteps : public model_test::ModelTest {
protected:
    FillEventSteps() {
        // Out of order in the library, so that only a sort orders what a scan finds.
        track("mem://related", {{"GENRE", {"Related"}}, {"ARTIST", {"A"}}});
        track("mem://lib-only", {{"GENRE", {"LibOnly"}}, {"ARTIST", {"B"}}});
        auto selected = track("mem://selected", {{"GENRE", {"Selected"}}, {"ARTIST", {"A"}}}, false);
        host.add_playlist("Default", {selected});
        host.select({0});
        host.focus(0);
    }

    struct Outcome {
        Strings tags;
        bool counted = false;
    };
    // A fill of `event` on a fresh panel whose preset holds Zeta and Alpha, in that order.
    Outcome fill(unsigned event, bool scan_library, bool sort_list, bool filter_on_focused_tags) {
        model_test::RecordingPanel panel;
        panel.current.metadata_field = "GENRE";
        panel.current.sort_list = false;
        panel.current.add_tags("Zeta;Alpha", ';');
        panel.current.scan_library = scan_library;
        panel.current.sort_list = sort_list;
        panel.current.filter_on_focused_tags = filter_on_focused_tags;
        panel.current.filter_fields = "ARTIST";
        PanelFiller filler{panel};
        filler.request_fill(event);
        EXPECT_EQ(panel.rebuilds, 1) << "event " << event;
        return {panel.current.tags, !panel.current.value_counts.empty()};
    }
    static bool has(const Strings& tags, const char* value) {
        return std::find(tags.begin(), tags.end(), value) != tags.end();
    }
};

TEST_F(FillEventSteps, EachEventNumberSelectsItsOwnSteps) {
    for (unsigned event = 0; event <= 11; ++event)
        EXPECT_EQ(quennet::fill_flags_of(event), pinned_flags[event]) << "event " << event;
    for (unsigned event : {12u, 13u, 255u, 0xFFFFFFFFu}) EXPECT_EQ(quennet::fill_flags_of(event), 0u) << event;
    EXPECT_EQ(quennet::options_edited, 0u);
    EXPECT_EQ(quennet::playlist_changed, 3u);
    EXPECT_EQ(quennet::panel_shown, 8u);
    EXPECT_EQ(quennet::synchronize, 9u);
    EXPECT_EQ(quennet::tags_updated, 11u);
}

TEST_F(FillEventSteps, AFillDoesWhatItsEventsStepsSay) {
    for (unsigned event = 0; event <= 12; ++event) {
        SCOPED_TRACE("event " + std::to_string(event));
        const std::uint32_t steps = pinned_flags[event];
        // The library scan off: only a forced fill scans, emptying the list first; the order stays unless
        // a forced fill sorts.
        const Outcome plain = fill(event, false, false, false);
        EXPECT_EQ(!has(plain.tags, "Zeta"), (steps & 0x01) != 0);
        EXPECT_EQ(has(plain.tags, "LibOnly"), (steps & 0x03) == 0x03);
        EXPECT_EQ(std::is_sorted(plain.tags.begin(), plain.tags.end()), (steps & 0x21) == 0x21);
        // Scanning and sorting on.
        const Outcome scanning = fill(event, true, true, false);
        EXPECT_EQ(has(scanning.tags, "LibOnly"), (steps & 0x02) != 0);
        EXPECT_EQ(has(scanning.tags, "Selected"), (steps & 0x14) != 0);
        EXPECT_EQ(scanning.counted, (steps & 0x10) != 0);
        EXPECT_EQ(std::is_sorted(scanning.tags.begin(), scanning.tags.end()), (steps & 0x20) != 0);
        // Filtering on the focused track's artist: the list becomes the related library values and the
        // scan is skipped.
        const Outcome filtering = fill(event, true, false, true);
        EXPECT_EQ(has(filtering.tags, "Related") && !has(filtering.tags, "LibOnly") && !has(filtering.tags, "Zeta"),
                  (steps & 0x08) != 0);
    }
}

}  // namespace
