// A value changed across the whole library: each carrying file's new values and the preview's figures.
#include <gtest/gtest.h>

#include "panel/model/LibraryValueChange.h"
#include "panel/model/LibraryValueMenu.h"
#include "tests/model/model_fixture.h"

namespace {

using quennet::LibraryValueChange;
using quennet::ValueChangeKind;
using Strings = std::vector<std::string>;

LibraryValueChange rename(const std::string& from, const std::string& to) {
    return {ValueChangeKind::rename, "GENRE", from, to, {}};
}
LibraryValueChange removal(const std::string& value) { return {ValueChangeKind::remove, "GENRE", value, {}, {}}; }
LibraryValueChange split(const std::string& value, const std::string& separators) {
    return {ValueChangeKind::split, "GENRE", value, {}, separators};
}

Strings after(const Strings& values, const LibraryValueChange& change, bool* changed_out = nullptr) {
    bool changed = false;
    Strings out = quennet::changed_values(values, change, changed);
    if (changed_out) *changed_out = changed;
    return out;
}

TEST(ChangedValues, RenameTakesTheOldValuesPlace) {
    EXPECT_EQ(after({"Jazz", "Hip Hop", "Soul"}, rename("Hip Hop", "Hip-Hop")), (Strings{"Jazz", "Hip-Hop", "Soul"}));
}

TEST(ChangedValues, RenameIntoAValueTheFileCarriesKeepsItOnceAtItsFirstPlace) {
    EXPECT_EQ(after({"Hip-Hop", "Jazz", "Hip Hop"}, rename("Hip Hop", "Hip-Hop")), (Strings{"Hip-Hop", "Jazz"}));
    EXPECT_EQ(after({"Hip Hop", "Jazz", "Hip-Hop"}, rename("Hip Hop", "Hip-Hop")), (Strings{"Hip-Hop", "Jazz"}));
}

TEST(ChangedValues, RenameComparesBytesSoOtherCasesStay) {
    EXPECT_EQ(after({"hip hop", "Hip Hop"}, rename("Hip Hop", "Hip-Hop")), (Strings{"hip hop", "Hip-Hop"}));
    EXPECT_EQ(after({"hip hop"}, rename("hip hop", "Hip Hop")), (Strings{"Hip Hop"}));
}

TEST(ChangedValues, AFileWithoutTheValueIsUnchanged) {
    bool changed = true;
    EXPECT_EQ(after({"Rock", "Pop"}, rename("Jazz", "Blues"), &changed), (Strings{"Rock", "Pop"}));
    EXPECT_FALSE(changed);
}

TEST(ChangedValues, RemoveTakesEveryCopyAndLeavesTheRest) {
    bool changed = false;
    EXPECT_EQ(after({"Rock", "Pop", "Rock", "Soul"}, removal("Rock"), &changed), (Strings{"Pop", "Soul"}));
    EXPECT_TRUE(changed);
    EXPECT_TRUE(after({"Rock"}, removal("Rock")).empty());
}

TEST(ChangedValues, OtherDuplicatesOfTheFileAreLeftAlone) {
    EXPECT_EQ(after({"Pop", "Pop", "Rock"}, rename("Rock", "Metal")), (Strings{"Pop", "Pop", "Metal"}));
}

TEST(ChangedValues, SplitPutsThePiecesInTheJoinedValuesPlace) {
    EXPECT_EQ(after({"Jazz", "Country/Rock/Live", "Soul"}, split("Country/Rock/Live", "/")),
              (Strings{"Jazz", "Country", "Rock", "Live", "Soul"}));
}

TEST(ChangedValues, SplitSkipsPiecesTheFileCarriesAlready) {
    EXPECT_EQ(after({"Rock", "Country / Rock"}, split("Country / Rock", "/")), (Strings{"Rock", "Country"}));
    EXPECT_EQ(after({"Jazz; Acoustic", "Acoustic"}, split("Jazz; Acoustic", ";,")), (Strings{"Jazz", "Acoustic"}));
}

TEST(SplitValue, OnlyTheChosenSeparatorsSplitAndPiecesAreTrimmed) {
    EXPECT_EQ(quennet::split_value("Jazz; Acoustic, Live", ";"), (Strings{"Jazz", "Acoustic, Live"}));
    EXPECT_EQ(quennet::split_value("Jazz; Acoustic, Live", ";,"), (Strings{"Jazz", "Acoustic", "Live"}));
    EXPECT_EQ(quennet::split_value("a//b/ /a", "/"), (Strings{"a", "b"}));
    EXPECT_EQ(quennet::split_value("AC/DC", ""), (Strings{"AC/DC"}));
}

TEST(Refusal, ChangesThatCannotGoAheadAreNamed) {
    EXPECT_EQ(quennet::refusal(rename("Rock", "  ")), "Please, enter the new value.");
    EXPECT_EQ(quennet::refusal(rename("Rock", "Rock")), "The new value is the value itself.");
    EXPECT_EQ(quennet::refusal(rename("Rock", "A;B")), "A value cannot hold ';'.");
    EXPECT_EQ(quennet::refusal(split("AC/DC", ",")), "The chosen separators do not split the value.");
    EXPECT_EQ(quennet::refusal(rename("Rock", "rock")), "");
    EXPECT_EQ(quennet::refusal(removal("Rock")), "");
}

TEST(Preview, SummaryAndMergeNoteCountWithThousandsSeparators) {
    EXPECT_EQ(quennet::change_summary(rename("Hip Hop", "Hip-Hop"), 1234), "Rename 'Hip Hop' to 'Hip-Hop' in 1,234 files");
    EXPECT_EQ(quennet::change_summary(removal("Rock"), 1), "Remove 'Rock' from 1 file");
    EXPECT_EQ(quennet::change_summary(split("Country/Rock/Live", "/"), 2), "Split 'Country/Rock/Live' into 3 values in 2 files");
    EXPECT_EQ(quennet::merge_note(rename("Hip Hop", "Hip-Hop"), 512), "merge into 'Hip-Hop' (512 files carry both: they keep one)");
    EXPECT_EQ(quennet::merge_note(rename("Hip Hop", "Hip-Hop"), 0), "");
    EXPECT_EQ(quennet::thousands(1000000), "1,000,000");
    EXPECT_EQ(quennet::thousands(999), "999");
}

class LibraryPlan : public model_test::ModelTest {
protected:
    Strings values_of(const sonavel::file_info& record, const char* field) {
        Strings out;
        std::size_t index = record.meta_find(field);
        if (index == sonavel::file_info::npos) return out;
        for (std::size_t v = 0; v < record.meta_enum_value_count(index); ++v) out.emplace_back(record.meta_enum_value(index, v));
        return out;
    }
};

TEST_F(LibraryPlan, OnlyCarryingFilesAreWrittenWithOtherFieldsUntouched) {
    auto a = track("C:\\Music\\a.flac", {{"ARTIST", {"A"}}, {"GENRE", {"Jazz", "Hip Hop"}}, {"MOOD", {"Calm"}}});
    auto b = track("C:\\Music\\b.flac", {{"GENRE", {"Hip-Hop", "Hip Hop"}}});
    track("C:\\Music\\c.flac", {{"GENRE", {"hip hop"}}});
    track("C:\\Music\\d.flac", {{"MOOD", {"Hip Hop"}}});
    sonavel::metadb_handle_list library = host.library.get_all_items();

    auto plan = quennet::plan_library_change(library, rename("Hip Hop", "Hip-Hop"));
    ASSERT_EQ(plan.writes.tracks.size(), 2u);
    EXPECT_EQ(plan.writes.tracks[0], a);
    EXPECT_EQ(plan.writes.tracks[1], b);
    EXPECT_EQ(plan.carrying_both, 1u);
    EXPECT_EQ(plan.sample_paths, (Strings{"a.flac", "b.flac"}));
    const auto& first = plan.writes.records[0];
    EXPECT_EQ(values_of(first, "GENRE"), (Strings{"Jazz", "Hip-Hop"}));
    EXPECT_EQ(values_of(first, "ARTIST"), (Strings{"A"}));
    EXPECT_EQ(values_of(first, "MOOD"), (Strings{"Calm"}));
    EXPECT_STREQ(first.meta_enum_name(1), "GENRE") << "the field keeps its place";
    EXPECT_EQ(values_of(plan.writes.records[1], "GENRE"), (Strings{"Hip-Hop"}));
}

TEST_F(LibraryPlan, RemovingTheLastValueRemovesTheField) {
    track("C:\\Music\\a.flac", {{"GENRE", {"Rock"}}, {"MOOD", {"Calm"}}});
    auto plan = quennet::plan_library_change(host.library.get_all_items(), removal("Rock"));
    ASSERT_EQ(plan.writes.records.size(), 1u);
    EXPECT_EQ(plan.writes.records[0].meta_find("GENRE"), sonavel::file_info::npos);
    EXPECT_EQ(values_of(plan.writes.records[0], "MOOD"), (Strings{"Calm"}));
}

TEST_F(LibraryPlan, ARefusedChangePlansNothingAndSamplesAreLimited) {
    for (int i = 0; i < 8; ++i) track("C:\\Music\\" + std::to_string(i) + ".flac", {{"GENRE", {"Rock"}}});
    auto library = host.library.get_all_items();
    EXPECT_TRUE(quennet::plan_library_change(library, rename("Rock", "")).writes.tracks.empty());
    auto plan = quennet::plan_library_change(library, rename("Rock", "Metal"), 3);
    EXPECT_EQ(plan.writes.tracks.size(), 8u);
    EXPECT_EQ(plan.sample_paths.size(), 3u);
}

}  // namespace

namespace {

TEST(ChangedValues, AMergeRenamesEveryValueOfTheGroupIntoOne) {
    LibraryValueChange merge{ValueChangeKind::rename, "GENRE", "Hip Hop", "Hip-Hop", {}, {"hip hop", "HipHop"}};
    EXPECT_EQ(after({"hip hop", "Jazz", "HipHop"}, merge), (Strings{"Hip-Hop", "Jazz"}));
    EXPECT_EQ(after({"Jazz", "Hip-Hop", "Hip Hop"}, merge), (Strings{"Jazz", "Hip-Hop"}));
    // The value kept may be one of the group: it then only takes the others in.
    LibraryValueChange keep{ValueChangeKind::rename, "GENRE", "Hip-Hop", "Hip-Hop", {}, {"hip hop"}};
    EXPECT_EQ(quennet::refusal(keep), "");
    EXPECT_EQ(after({"hip hop", "Hip-Hop"}, keep), (Strings{"Hip-Hop"}));
}

}  // namespace

namespace {

std::vector<std::string> menu_texts(const std::string& value) {
    std::vector<std::string> out;
    for (const auto& item : quennet::library_value_items(value)) out.push_back(item.id ? item.text : "-");
    return out;
}

TEST(LibraryValueMenu, ItemsNameTheValueAndOfferSplitOnlyForJoinedValues) {
    EXPECT_EQ(menu_texts("Hip Hop"), (Strings{"Rename 'Hip Hop' in the library...", "Remove 'Hip Hop' from the library...",
                                              "-", "Find similar values..."}));
    EXPECT_EQ(menu_texts("Country/Rock/Live"),
              (Strings{"Rename 'Country/Rock/Live' in the library...", "Remove 'Country/Rock/Live' from the library...",
                       "Split 'Country/Rock/Live' into 3 values...", "-", "Find similar values..."}));
    EXPECT_EQ(menu_texts(""), (Strings{"Find similar values..."}));
    for (const auto& item : quennet::library_value_items("A/B"))
        if (item.id) EXPECT_TRUE(quennet::is_library_value_command(item.id));
}

}  // namespace

namespace {

TEST(Preview, AMergeSummaryNamesEveryValueThatGoes) {
    LibraryValueChange keep{ValueChangeKind::rename, "GENRE", "Hip-Hop", "Hip-Hop", {}, {"hip hop", "HipHop"}};
    EXPECT_EQ(quennet::change_summary(keep, 3), "Rename 'hip hop', 'HipHop' to 'Hip-Hop' in 3 files");
}

}  // namespace

namespace {

TEST_F(LibraryPlan, APreviewFindsTheSameFilesWithoutComposingRecords) {
    track("C:\\Music\\a.flac", {{"GENRE", {"Hip Hop", "Hip-Hop"}}});
    track("C:\\Music\\b.flac", {{"GENRE", {"Jazz"}}});
    track("C:\\Music\\c.flac", {{"GENRE", {"hip hop"}}});
    const auto library = host.library.get_all_items();
    const LibraryValueChange change = rename("Hip Hop", "Hip-Hop");
    const auto carriers = quennet::carrying_tracks(library, change);
    ASSERT_EQ(carriers.size(), 1u);
    auto preview = quennet::plan_library_change(carriers, change, 5, false);
    EXPECT_EQ(preview.writes.tracks, carriers);
    EXPECT_TRUE(preview.writes.records.empty());
    EXPECT_EQ(preview.carrying_both, 1u);
    EXPECT_EQ(preview.sample_paths, (Strings{"a.flac"}));
}

TEST_F(LibraryPlan, AMergeIntoOneOfItsOwnValuesCountsOnlyFilesThatCarryAnotherOne) {
    track("C:\\Music\\a.flac", {{"GENRE", {"Hip-Hop"}}});
    track("C:\\Music\\b.flac", {{"GENRE", {"Hip-Hop", "hip hop"}}});
    track("C:\\Music\\c.flac", {{"GENRE", {"hip hop"}}});
    track("C:\\Music\\d.flac", {{"GENRE", {"Hip-Hop", "Hip-Hop"}}});
    const LibraryValueChange keep{ValueChangeKind::rename, "GENRE", "Hip-Hop", "Hip-Hop", {}, {"hip hop"}};
    auto plan = quennet::plan_library_change(host.library.get_all_items(), keep);
    EXPECT_EQ(plan.writes.tracks.size(), 3u) << "a file carrying the kept value once does not change";
    EXPECT_EQ(plan.carrying_both, 1u);
}

}  // namespace
