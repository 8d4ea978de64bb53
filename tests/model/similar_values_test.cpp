// Values that differ only in case, accents, white space and punctuation, found in the library.
#include <gtest/gtest.h>

#include "panel/model/SimilarValues.h"
#include "tests/model/model_fixture.h"

namespace {

using quennet::similarity_key;
using quennet::ValueCount;
using Strings = std::vector<std::string>;

Strings values_of(const quennet::SimilarGroup& group) {
    Strings out;
    for (const auto& v : group) out.push_back(v.value + " " + std::to_string(v.files));
    return out;
}

TEST(SimilarityKey, CaseSpacesAndPunctuationAreSetAside) {
    EXPECT_EQ(similarity_key("Hip Hop"), "hiphop");
    EXPECT_EQ(similarity_key("Hip-Hop"), "hiphop");
    EXPECT_EQ(similarity_key(" hip  hop "), "hiphop");
    EXPECT_EQ(similarity_key("HipHop"), "hiphop");
    EXPECT_EQ(similarity_key("R&B"), "rb");
    EXPECT_EQ(similarity_key("80s"), "80s");
    EXPECT_EQ(similarity_key("--"), "");
}

TEST(SimilarityKey, AccentsAreSetAsideInComposedAndCombiningForm) {
    EXPECT_EQ(similarity_key("Música Clásica"), "musicaclasica");
    EXPECT_EQ(similarity_key("Mu\xCC\x81sica"), "musica");
    EXPECT_EQ(similarity_key("Æther Straße"), "aetherstrasse");
    EXPECT_EQ(similarity_key("Łódź"), "lodz");
    EXPECT_EQ(similarity_key("Chanson\xC2\xA0" "française"), "chansonfrancaise");
}

TEST(SimilarityKey, OtherScriptsKeepTheirLettersAndFoldSimpleCase) {
    EXPECT_EQ(similarity_key("Рок"), similarity_key("рок"));
    EXPECT_EQ(similarity_key("日本 ポップ"), "日本ポップ");
    EXPECT_NE(similarity_key("Рок"), similarity_key("Pok"));
}

TEST(SimilarGroups, OnlyValuesWithAnotherSpellingFormAGroupMostCarriedFirst) {
    std::vector<ValueCount> values{{"Hip Hop", 5}, {"Hip-Hop", 9}, {"hip hop", 2}, {"Jazz", 7},
                                   {"Rock", 1},    {"rock", 1},    {"--", 3},      {"- -", 3}};
    auto groups = quennet::similar_groups(values);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(values_of(groups[0]), (Strings{"Hip-Hop 9", "Hip Hop 5", "hip hop 2"}));
    EXPECT_EQ(values_of(groups[1]), (Strings{"Rock 1", "rock 1"}));
}

using SimilarLibrary = model_test::ModelTest;

TEST_F(SimilarLibrary, CountsAreFilesOfTheFieldAndAFileCountsOnce) {
    track("C:\\a.flac", {{"GENRE", {"Hip Hop", "Hip Hop"}}});
    track("C:\\b.flac", {{"GENRE", {"Hip-Hop", "Jazz"}}});
    track("C:\\c.flac", {{"GENRE", {"hip hop"}}, {"MOOD", {"Hip Hop"}}});
    track("C:\\d.flac", {{"MOOD", {"HipHop"}}});
    auto counts = quennet::count_library_values(host.library.get_all_items(), "GENRE");
    Strings seen;
    for (const auto& c : counts) seen.push_back(c.value + " " + std::to_string(c.files));
    EXPECT_EQ(seen, (Strings{"Hip Hop 1", "Hip-Hop 1", "Jazz 1", "hip hop 1"}));
    auto groups = quennet::similar_groups(counts);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(values_of(groups[0]), (Strings{"Hip Hop 1", "Hip-Hop 1", "hip hop 1"}));
}

}  // namespace
