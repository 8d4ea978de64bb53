// Composing the records an Apply writes.
#include <gtest/gtest.h>

#include "panel/model/TagChanges.h"
#include "tests/model/model_fixture.h"

namespace {

using quennet::EditMap;
using quennet::compose_new_records;
using Strings = std::vector<std::string>;

class TagChanges : public model_test::ModelTest {
protected:
    Strings values_of(const sonavel::file_info& record, const char* field) {
        Strings out;
        std::size_t index = record.meta_find(field);
        if (index == sonavel::file_info::npos) return out;
        for (std::size_t v = 0; v < record.meta_enum_value_count(index); ++v) out.emplace_back(record.meta_enum_value(index, v));
        return out;
    }
};

TEST_F(TagChanges, OnlyTracksThatChangeAreWritten) {
    auto rock = track("mem://rock", {{"GENRE", {"Rock"}}});
    auto pop = track("mem://pop", {{"GENRE", {"Pop"}}});
    sonavel::metadb_handle_list selection{rock, pop};

    // "some" clicked twice: Rock is ticked for all.
    auto added = compose_new_records({&selection}, EditMap{{"GENRE", {{"Rock"}, &selection}}}, {});
    ASSERT_EQ(added.tracks.size(), 1u);
    EXPECT_EQ(added.tracks[0], pop);
    EXPECT_EQ(values_of(added.records[0], "GENRE"), (Strings{"Pop", "Rock"}));

    // "some" clicked once: Rock is unticked for all.
    auto removed = compose_new_records({&selection}, {}, EditMap{{"GENRE", {{"Rock"}, &selection}}});
    ASSERT_EQ(removed.tracks.size(), 1u);
    EXPECT_EQ(removed.tracks[0], rock);
    EXPECT_TRUE(values_of(removed.records[0], "GENRE").empty());
    EXPECT_EQ(removed.records[0].meta_find("GENRE"), sonavel::file_info::npos) << "an emptied field goes";
}

TEST_F(TagChanges, RemovalTakesTheFirstEqualValueOnly) {
    auto twice = track("mem://twice", {{"GENRE", {"Rock", "Pop", "Rock"}}});
    sonavel::metadb_handle_list selection{twice};
    auto out = compose_new_records({&selection}, {}, EditMap{{"GENRE", {{"Rock"}, &selection}}});
    ASSERT_EQ(out.records.size(), 1u);
    EXPECT_EQ(values_of(out.records[0], "GENRE"), (Strings{"Pop", "Rock"}));
}

TEST_F(TagChanges, ComparisonIsCaseSensitive) {
    auto lower = track("mem://lower", {{"GENRE", {"rock"}}});
    sonavel::metadb_handle_list selection{lower};
    auto out = compose_new_records({&selection}, EditMap{{"GENRE", {{"Rock"}, &selection}}}, {});
    ASSERT_EQ(out.records.size(), 1u);
    EXPECT_EQ(values_of(out.records[0], "GENRE"), (Strings{"rock", "Rock"}));
}

TEST_F(TagChanges, TypedValuesAreAppendedInOrderAndEmptyPiecesAddNothing) {
    auto a = track("mem://a", {{"GENRE", {"Rock"}}});
    auto b = track("mem://b", {{"ARTIST", {"X"}}});
    sonavel::metadb_handle_list selection{a, b};
    auto out = compose_new_records({&selection}, EditMap{{"GENRE", {{"Blues", "Soul", ""}, &selection}}}, {});
    ASSERT_EQ(out.records.size(), 2u);
    EXPECT_EQ(values_of(out.records[0], "GENRE"), (Strings{"Rock", "Blues", "Soul"}));
    EXPECT_EQ(values_of(out.records[1], "GENRE"), (Strings{"Blues", "Soul"}));
    EXPECT_EQ(out.records[1].meta_get_count(), 2u) << "a new field comes after the others";
    EXPECT_STREQ(out.records[1].meta_enum_name(1), "GENRE");
}

TEST_F(TagChanges, AnEditIsWrittenOnlyToItsOwnPanelsTracks) {
    auto one = track("mem://1", {{"GENRE", {"Rock"}}});
    auto two = track("mem://2", {{"GENRE", {"Pop"}}});
    sonavel::metadb_handle_list first{one}, second{two};
    EditMap add{{"GENRE", {{"Jazz"}, &first}}, {"MOOD", {{"Calm"}, &second}}};
    auto out = compose_new_records({&first, &second}, add, {});
    ASSERT_EQ(out.tracks.size(), 2u);
    EXPECT_EQ(out.tracks[0], one);
    EXPECT_EQ(values_of(out.records[0], "GENRE"), (Strings{"Rock", "Jazz"}));
    EXPECT_TRUE(values_of(out.records[0], "MOOD").empty());
    EXPECT_EQ(values_of(out.records[1], "GENRE"), (Strings{"Pop"}));
    EXPECT_EQ(values_of(out.records[1], "MOOD"), (Strings{"Calm"}));
}

TEST_F(TagChanges, AddThenRemoveStillCountsAsAFileAndEverythingElseIsCopied) {
    sonavel::file_info_impl record = player::HostEngines::make_record({{"GENRE", {"Rock"}}, {"TITLE", {"Song"}}});
    record.info_set("codec", "FLAC");
    record.set_length(215.5);
    sonavel::replaygain_info gain;
    gain.track_gain = -6.5f;
    gain.track_gain_present = true;
    record.set_replaygain(gain);
    auto t = host.store.handle_create("mem://full", 0);
    host.store.set_record(player::TrackStore::track_of(t), &record);
    sonavel::metadb_handle_list selection{t};
    auto out = compose_new_records({&selection}, EditMap{{"MOOD", {{"Calm"}, &selection}}},
                                   EditMap{{"MOOD", {{"Calm"}, &selection}}});
    ASSERT_EQ(out.records.size(), 1u);
    EXPECT_TRUE(out.records[0].equals(record)) << "the passes cancel out, the copy is written all the same";
}

TEST_F(TagChanges, TracksWithoutRecordsAndEmptyEditsWriteNothing) {
    auto missing = host.store.handle_create("mem://none", 0);
    auto t = track("mem://t", {{"GENRE", {"Rock"}}});
    sonavel::metadb_handle_list selection{missing, t};
    EXPECT_TRUE(compose_new_records({&selection}, {}, {}).tracks.empty());
    auto out = compose_new_records({&selection}, EditMap{{"GENRE", {{"Rock"}, &selection}}}, {});
    EXPECT_TRUE(out.tracks.empty()) << "Rock is there already";
    out = compose_new_records({&selection}, EditMap{{"GENRE", {{"Pop"}, &selection}}}, {});
    ASSERT_EQ(out.tracks.size(), 1u);
    EXPECT_EQ(out.tracks[0], t);
}

}  // namespace
