// The analysis of "Tag with same value from library" over the stand-in host's engines: which value wins,
// which tracks are written, how the library is queried, the status it reports and how it stops.
#include "integration/SameValueAnalysis.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "player/engine/HostEngines.h"
#include "sdk/core_api.h"

namespace {

using Strings = std::vector<std::string>;
using player::FieldValues;
using sonavel::service_ptr_t;

class RecordingStatus final : public sonavel::threaded_process_status {
public:
    void set_progress(std::size_t position) override { progress.push_back(position); }
    void set_item(const char* text) override {
        items.emplace_back(text);
        if (on_item) on_item(items.size());
    }
    void set_item_path(const char* path) override { set_item(path); }
    void set_title(const char*) override {}

    Strings items;
    std::vector<std::size_t> progress;
    std::function<void(std::size_t)> on_item;
};

// The host's query service, recording each query; a test may refuse one or act when it comes.
class RecordingSearch : public sonavel::search_filter_service {
public:
    using interface_t = sonavel::search_filter_service;
    explicit RecordingSearch(service_ptr_t<sonavel::search_filter_service> host) : host_(std::move(host)) {}
    service_ptr_t<sonavel::search_filter> create(const char* query) override {
        queries.emplace_back(query);
        if (on_query) on_query(queries.back());
        return host_->create(query);
    }
    Strings queries;
    std::function<void(const std::string&)> on_query;

private:
    service_ptr_t<sonavel::search_filter_service> host_;
};

// A compiled script that fails to format one track.
class FailingScript : public sonavel::titleformat_object {
public:
    using interface_t = sonavel::titleformat_object;
    FailingScript(service_ptr_t<sonavel::titleformat_object> host, std::string failing_path)
        : host_(std::move(host)), failing_path_(std::move(failing_path)) {}
    void run(const sonavel::metadb_handle_ptr& track, const sonavel::file_info* info, std::string& out) override {
        if (failing_path_ == track->get_path()) throw sonavel::exception_io_data();
        host_->run(track, info, out);
    }
    service_ptr_t<sonavel::titleformat_object> host_;

private:
    std::string failing_path_;
};

// The host's title formatting, refusing every script, or compiling scripts that fail on one track.
class TestTitleformat : public sonavel::titleformat_service {
public:
    using interface_t = sonavel::titleformat_service;
    explicit TestTitleformat(service_ptr_t<sonavel::titleformat_service> host) : host_(std::move(host)) {}
    bool compile(service_ptr_t<sonavel::titleformat_object>& out, const char* script) override {
        if (refuse_all) return false;
        service_ptr_t<sonavel::titleformat_object> compiled;
        if (!host_->compile(compiled, script)) return false;
        out = sonavel::service_impl_t<FailingScript>::create(compiled, failing_path);
        return true;
    }
    void sort_by_format(sonavel::metadb_handle_list& tracks, sonavel::titleformat_object& script) override {
        host_->sort_by_format(tracks, *static_cast<FailingScript&>(script).host_);
    }
    bool refuse_all = false;
    std::string failing_path;

private:
    service_ptr_t<sonavel::titleformat_service> host_;
};

class SameValue : public ::testing::Test {
protected:
    SameValue() {
        host.console.set_mirror(false);
        host.register_services();
        host.start();
        search = sonavel::service_impl_t<RecordingSearch>::create_object(
            sonavel::standard_api_create_t<sonavel::search_filter_service>());
        titleformat = sonavel::service_impl_t<TestTitleformat>::create_object(
            sonavel::standard_api_create_t<sonavel::titleformat_service>());
    }

    sonavel::metadb_handle_ptr track(const std::string& name, const FieldValues& fields, bool in_library = true) {
        return host.add_track("C:\\Music\\" + name + ".flac", fields, in_library);
    }
    // Library tracks of `album`, `count` of them with GENRE = `genre`.
    void library(const std::string& album, const std::string& genre, int count) {
        for (int i = 0; i < count; ++i)
            track(album + "-" + genre + "-" + std::to_string(i), {{"ALBUM", {album}}, {"GENRE", {genre}}});
    }
    // A selected track outside the library.
    sonavel::metadb_handle_ptr selected(const std::string& name, const FieldValues& fields) {
        auto t = track(name, fields, false);
        selection.push_back(t);
        return t;
    }

    bool analyze(const std::string& pattern = "%album%", const std::string& field = "GENRE") {
        quennet::SameValueInput input{selection, host.library.get_all_items(), pattern, field};
        quennet::SameValueServices services{titleformat, search};
        status.items.clear();
        status.progress.clear();
        return quennet::analyze_same_values(input, services, status, abort, out);
    }

    Strings written_paths() const {
        Strings paths;
        for (const auto& t : out.tracks) paths.emplace_back(t->get_path());
        return paths;
    }
    Strings values_written(const sonavel::metadb_handle_ptr& t, const char* field = "GENRE") const {
        for (std::size_t i = 0; i < out.tracks.size(); ++i) {
            if (out.tracks[i] != t) continue;
            Strings values;
            const auto& record = out.records[i];
            const std::size_t f = record.meta_find(field);
            if (f == sonavel::file_info::npos) return values;
            for (std::size_t v = 0; v < record.meta_enum_value_count(f); ++v) values.emplace_back(record.meta_enum_value(f, v));
            return values;
        }
        ADD_FAILURE() << t->get_path() << " is not written";
        return {};
    }
    static std::string path(const std::string& name) { return "C:\\Music\\" + name + ".flac"; }
    static std::string query(const std::string& key, const std::string& pattern = "%album%") {
        return "\"" + pattern + "\" IS \"" + key + "\" AND NOT \"GENRE\" IS \"\" AND NOT \"GENRE\" MISSING";
    }

    player::HostEngines host;
    sonavel::metadb_handle_list selection;
    RecordingStatus status;
    sonavel::abort_callback_impl abort;
    quennet::WriteList out;
    service_ptr_t<RecordingSearch> search;
    service_ptr_t<TestTitleformat> titleformat;
};

TEST_F(SameValue, TheMostFrequentValueTagsTheWholeGroupAfterOneQuery) {
    library("X", "Rock", 5);
    library("X", "Pop", 3);
    library("Y", "Jazz", 9);
    auto missing = selected("s1", {{"ALBUM", {"X"}}});
    auto other = selected("s2", {{"ALBUM", {"X"}}, {"GENRE", {"Jazz"}}});
    auto two = selected("s3", {{"ALBUM", {"X"}}, {"GENRE", {"Rock", "Pop"}}});
    ASSERT_TRUE(analyze());
    EXPECT_EQ(search->queries, Strings{query("X")});
    EXPECT_EQ(written_paths(), (Strings{path("s1"), path("s2"), path("s3")}));
    for (const auto& t : {missing, other, two}) EXPECT_EQ(values_written(t), Strings{"Rock"}) << t->get_path();
}

TEST_F(SameValue, OfEquallyFrequentValuesTheFirstInByteOrderWins) {
    library("A", "Rock", 4);
    library("A", "Pop", 4);
    // Byte order, not case-insensitive order: "Rock" comes before "pop".
    library("B", "pop", 4);
    library("B", "Rock", 4);
    auto a = selected("a", {{"ALBUM", {"A"}}});
    auto b = selected("b", {{"ALBUM", {"B"}}});
    ASSERT_TRUE(analyze());
    EXPECT_EQ(values_written(a), Strings{"Pop"});
    EXPECT_EQ(values_written(b), Strings{"Rock"});
}

TEST_F(SameValue, ATrackHoldingOnlyTheBestValueInAnyCaseIsNotWritten) {
    library("X", "Rock", 3);
    selected("same", {{"ALBUM", {"X"}}, {"GENRE", {"Rock"}}});
    selected("lower", {{"ALBUM", {"X"}}, {"GENRE", {"rock"}}});
    auto both = selected("both", {{"ALBUM", {"X"}}, {"GENRE", {"Rock", "Pop"}}});
    auto twice = selected("twice", {{"ALBUM", {"X"}}, {"GENRE", {"Rock", "Rock"}}});
    ASSERT_TRUE(analyze());
    EXPECT_EQ(written_paths(), (Strings{path("both"), path("twice")}));
    EXPECT_EQ(values_written(both), Strings{"Rock"});
    EXPECT_EQ(values_written(twice), Strings{"Rock"});
}

TEST_F(SameValue, TheFieldIsAddedOrItsValuesReplacedAndTheRestOfTheRecordKept) {
    library("X", "Rock", 2);
    auto without = selected("without", {{"ALBUM", {"X"}}, {"ARTIST", {"Ann"}}});
    auto with = selected("with", {{"ARTIST", {"Ann"}}, {"genre", {"Jazz", "Soul"}}, {"ALBUM", {"X"}}});
    ASSERT_TRUE(analyze());
    ASSERT_EQ(out.records.size(), 2u);
    EXPECT_EQ(values_written(without), Strings{"Rock"});
    EXPECT_EQ(values_written(without, "ARTIST"), Strings{"Ann"});
    const auto& record = out.records[1];
    ASSERT_EQ(out.tracks[1], with);
    ASSERT_EQ(record.meta_get_count(), 3u);
    // The field keeps its place and spelling among the others.
    EXPECT_STREQ(record.meta_enum_name(0), "ARTIST");
    EXPECT_STREQ(record.meta_enum_name(1), "genre");
    EXPECT_STREQ(record.meta_enum_name(2), "ALBUM");
    EXPECT_EQ(values_written(with), Strings{"Rock"});
}

TEST_F(SameValue, LibraryTracksWithAnEmptyOrMissingFieldDoNotCount) {
    library("X", "", 5);
    for (int i = 0; i < 5; ++i) track("none" + std::to_string(i), {{"ALBUM", {"X"}}});
    library("X", "Pop", 1);
    auto t = selected("t", {{"ALBUM", {"X"}}});
    ASSERT_TRUE(analyze());
    EXPECT_EQ(values_written(t), Strings{"Pop"});
}

TEST_F(SameValue, TracksAreSortedByKeySoEachKeyIsQueriedOnce) {
    library("A", "Rock", 2);
    library("B", "Pop", 2);
    auto a1 = selected("a1", {{"ALBUM", {"A"}}});
    auto b1 = selected("b1", {{"ALBUM", {"B"}}});
    auto a2 = selected("a2", {{"ALBUM", {"A"}}});
    auto b2 = selected("b2", {{"ALBUM", {"B"}}});
    ASSERT_TRUE(analyze());
    EXPECT_EQ(search->queries, (Strings{query("A"), query("B")}));
    EXPECT_EQ(written_paths(), (Strings{path("a1"), path("a2"), path("b1"), path("b2")}));
    EXPECT_EQ(values_written(a2), Strings{"Rock"});
    EXPECT_EQ(values_written(b1), Strings{"Pop"});
}

TEST_F(SameValue, TracksWithAnEmptyKeyAreLeftAlone) {
    library("B", "Pop", 2);
    track("no-album", {{"GENRE", {"Jazz"}}});
    selected("n1", {{"GENRE", {"Rock"}}});
    selected("n2", {});
    auto b = selected("b", {{"ALBUM", {"B"}}});
    ASSERT_TRUE(analyze("[%album%]"));
    EXPECT_EQ(search->queries, Strings{query("B", "[%album%]")});
    EXPECT_EQ(written_paths(), Strings{path("b")});
    EXPECT_EQ(values_written(b), Strings{"Pop"});
}

TEST_F(SameValue, ATrackWhoseQueryTheHostRefusesIsSkipped) {
    library("A", "Rock", 1);
    library("B", "Pop", 1);
    library("C", "Soul", 1);
    selected("a", {{"ALBUM", {"A"}}});
    selected("b1", {{"ALBUM", {"B"}}});
    selected("b2", {{"ALBUM", {"B"}}});
    selected("c", {{"ALBUM", {"C"}}});
    search->on_query = [](const std::string& q) {
        if (q == query("B")) throw sonavel::exception_io_data();
    };
    ASSERT_TRUE(analyze());
    EXPECT_EQ(written_paths(), (Strings{path("a"), path("c")}));
    // The previous key stays A after the refusal: the next track of B asks again.
    EXPECT_EQ(search->queries, (Strings{query("A"), query("B"), query("B"), query("C")}));
}

TEST_F(SameValue, AKeyWithADoubleQuoteIsAKeyLikeAnyOtherAndNeverReadAsQuery) {
    // Unescaped, this album would turn the query into "the whole library with a genre".
    const std::string album = R"(x" OR "%genre%" PRESENT OR "%album%" IS "x)";
    library("Other", "Rock", 3);
    library(album, "Soul", 1);
    library(R"(12" Mixes)", "Disco", 2);
    auto quoted = selected("quoted", {{"ALBUM", {album}}});
    auto mixes = selected("mixes", {{"ALBUM", {R"(12" Mixes)"}}});
    ASSERT_TRUE(analyze());
    EXPECT_EQ(written_paths(), (Strings{path("mixes"), path("quoted")}));
    EXPECT_EQ(values_written(quoted), Strings{"Soul"});
    EXPECT_EQ(values_written(mixes), Strings{"Disco"});
}

TEST_F(SameValue, TheQueryTextJoinsThreeConditionsOfQuotedTexts) {
    EXPECT_EQ(quennet::same_value_query("%album%", "Blue Train", "MOOD"),
              R"("%album%" IS "Blue Train" AND NOT "MOOD" IS "" AND NOT "MOOD" MISSING)");
    EXPECT_EQ(quennet::same_value_query("%album%", R"(12" Mixes)", "GENRE"),
              R"("%album%" IS "12"" Mixes" AND NOT "GENRE" IS "" AND NOT "GENRE" MISSING)");
    EXPECT_EQ(quennet::same_value_query(R"($if(%a%,"x"))", "k", R"(GEN"RE)"),
              R"q("$if(%a%,""x"")" IS "k" AND NOT "GEN""RE" IS "" AND NOT "GEN""RE" MISSING)q");
}

TEST_F(SameValue, APatternThatDoesNotCompileKeysByFileNameInSelectionOrder) {
    library("A", "Rock", 2);
    selected("c", {{"ALBUM", {"A"}}});
    selected("a", {{"ALBUM", {"A"}}});
    const std::string broken = "$nosuch(x)";
    ASSERT_TRUE(analyze(broken));
    EXPECT_EQ(status.items, (Strings{"Analyze " + path("c"), "Analyze " + path("a")}));
    EXPECT_EQ(search->queries, (Strings{query("c", broken), query("a", broken)}));
    EXPECT_TRUE(out.tracks.empty()) << "the host cannot compile the pattern in a query either";
}

TEST_F(SameValue, WhenNotEvenTheFileNameCompilesTheAnalysisIsABug) {
    selected("a", {{"ALBUM", {"A"}}});
    titleformat->refuse_all = true;
    EXPECT_THROW(analyze(), sonavel::exception_bug_check);
}

TEST_F(SameValue, EachTrackIsAnnouncedWithItsPathAndProgressRisesInEqualSteps) {
    library("A", "Rock", 1);
    selected("b", {{"ALBUM", {"B"}}});
    selected("c", {{"ALBUM", {"C"}}});
    selected("a", {{"ALBUM", {"A"}}});
    ASSERT_TRUE(analyze());
    EXPECT_EQ(status.items, (Strings{"Analyze " + path("a"), "Analyze " + path("b"), "Analyze " + path("c")}));
    EXPECT_EQ(status.progress, (std::vector<std::size_t>{1666, 3333, 5000}));
}

TEST_F(SameValue, ProgressIsRightForHugeSelections) {
    EXPECT_EQ(quennet::same_value_progress(2'000'000, 2'000'000), 5000u);
    EXPECT_EQ(quennet::same_value_progress(1'000'000, 2'000'000), 2500u);
    EXPECT_EQ(quennet::same_value_progress(1, 3), 1666u);
}

TEST_F(SameValue, CancelStopsBeforeTheNextTrack) {
    library("A", "Rock", 1);
    for (const char* name : {"a1", "a2", "a3"}) selected(name, {{"ALBUM", {"A"}}});
    status.on_item = [this](std::size_t count) {
        if (count == 2) abort.abort();
    };
    EXPECT_FALSE(analyze());
    EXPECT_EQ(status.items.size(), 2u);
}

TEST_F(SameValue, CancelStopsTheCountingOfTheLibrary) {
    library("A", "Rock", 3);
    selected("a", {{"ALBUM", {"A"}}});
    selected("b", {{"ALBUM", {"B"}}});
    search->on_query = [this](const std::string&) { abort.abort(); };
    EXPECT_FALSE(analyze());
    EXPECT_TRUE(out.tracks.empty());
    EXPECT_EQ(status.items.size(), 1u);
}

TEST_F(SameValue, AFormattingFailureEndsTheRunAndKeepsWhatWasDecided) {
    library("A", "Rock", 1);
    selected("a1", {{"ALBUM", {"A"}}});
    selected("a2", {{"ALBUM", {"A"}}});
    selected("a3", {{"ALBUM", {"A"}}});
    titleformat->failing_path = path("a2");
    EXPECT_TRUE(analyze());
    EXPECT_EQ(written_paths(), Strings{path("a1")});
    EXPECT_EQ(status.items.size(), 2u);
}

TEST_F(SameValue, ATrackListedTwiceIsWrittenOnce) {
    library("A", "Rock", 1);
    auto twice = selected("twice", {{"ALBUM", {"A"}}});
    selection.push_back(twice);
    ASSERT_TRUE(analyze());
    EXPECT_EQ(written_paths(), Strings{path("twice")});
}

TEST_F(SameValue, ASelectedTrackWithoutARecordIsSkipped) {
    library("A", "Rock", 1);
    auto gone = selected("gone", {{"ALBUM", {"A"}}});
    auto kept = selected("kept", {{"ALBUM", {"A"}}});
    // The key comes from the location; the record is gone by the time the track is decided.
    host.store.set_record(player::TrackStore::track_of(gone), nullptr);
    ASSERT_TRUE(analyze("$lower(A)"));
    EXPECT_EQ(written_paths(), Strings{path("kept")});
    EXPECT_EQ(values_written(kept), Strings{"Rock"});
}

}  // namespace
