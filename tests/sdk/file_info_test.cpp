// Metadata records: field lookup without regard to case, value order, removal, technical info, and
// deep copies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/file_info.h"

namespace {

using namespace sonavel;

std::vector<std::string> values_of(const file_info& info, const char* name) {
    std::vector<std::string> out;
    std::size_t field = info.meta_find(name);
    if (field == file_info::npos) return out;
    for (std::size_t v = 0; v < info.meta_enum_value_count(field); ++v) out.push_back(info.meta_enum_value(field, v));
    return out;
}

std::vector<std::string> field_names(const file_info& info) {
    std::vector<std::string> out;
    for (std::size_t f = 0; f < info.meta_get_count(); ++f) out.push_back(info.meta_enum_name(f));
    return out;
}

TEST(FileInfoFields, FindIgnoresCase) {
    file_info_impl info;
    info.meta_add("Artist", "A");
    info.meta_add("GENRE", "Rock");
    info.meta_add("\xC3\x84rger", "x");  // a field name beyond ASCII

    EXPECT_EQ(info.meta_find("artist"), 0u);
    EXPECT_EQ(info.meta_find("ARTIST"), 0u);
    EXPECT_EQ(info.meta_find(std::string("Genre")), 1u);
    EXPECT_EQ(info.meta_find("\xC3\xA4RGER"), 2u);
    EXPECT_EQ(info.meta_find("Artists"), file_info::npos);
    EXPECT_EQ(info.meta_find("Artis"), file_info::npos);
    EXPECT_EQ(info.meta_find(""), file_info::npos);
    // Only letters fold: '@' and '`' differ from each other by the case bit alone.
    info.meta_add("K@Y", "1");
    EXPECT_EQ(info.meta_find("K`Y"), file_info::npos);
    EXPECT_STREQ(info.meta_get("genre"), "Rock");
    EXPECT_EQ(info.meta_get("genre", 1), nullptr);
    EXPECT_EQ(info.meta_get("mood"), nullptr);
}

TEST(FileInfoFields, SizedFindReadsOnlyItsLength) {
    file_info_impl info;
    info.meta_add("MOOD", "calm");
    EXPECT_EQ(info.meta_find_ex("moodiness", 4), 0u);
    EXPECT_EQ(info.meta_find_ex("moo", 3), file_info::npos);
}

TEST(FileInfoFields, AddAppendsToAFieldOrCreatesItAtTheEnd) {
    file_info_impl info;
    EXPECT_EQ(info.meta_add("GENRE", "Rock"), 0u);
    EXPECT_EQ(info.meta_add("ARTIST", "A"), 1u);
    EXPECT_EQ(info.meta_add("genre", "Pop"), 0u);
    EXPECT_EQ(info.meta_add("Genre", "Rock"), 0u);

    EXPECT_EQ(field_names(info), (std::vector<std::string>{"GENRE", "ARTIST"}));
    // Values keep their order and their duplicates; the field keeps the name it was created with.
    EXPECT_EQ(values_of(info, "GENRE"), (std::vector<std::string>{"Rock", "Pop", "Rock"}));
    EXPECT_EQ(info.meta_add_ex("MOODY", 4, "calmer", 4), 2u);
    EXPECT_EQ(field_names(info).back(), "MOOD");
    EXPECT_EQ(values_of(info, "mood"), (std::vector<std::string>{"calm"}));
}

TEST(FileInfoFields, InsertPlacesAValueAtItsPositionClampedToTheEnd) {
    file_info_impl info;
    std::size_t genre = info.meta_add("GENRE", "b");
    info.meta_add("GENRE", "d");
    info.meta_insert_value_ex(genre, 0, "a", 1);
    info.meta_insert_value_ex(genre, 2, "c", 1);
    info.meta_insert_value_ex(genre, 4, "e", 1);
    info.meta_insert_value_ex(genre, 100, "f!", 1);
    EXPECT_EQ(values_of(info, "genre"), (std::vector<std::string>{"a", "b", "c", "d", "e", "f"}));
    EXPECT_THROW(info.meta_insert_value_ex(5, 0, "x", 1), std::out_of_range);
}

TEST(FileInfoFields, RemovingValuesRemovesAFieldLeftEmpty) {
    file_info_impl info;
    info.meta_add("GENRE", "a");
    info.meta_add("GENRE", "b");
    info.meta_add("GENRE", "c");
    info.meta_add("ARTIST", "x");
    info.meta_add("MOOD", "m");

    info.meta_remove_values(0, 1, 1);
    EXPECT_EQ(values_of(info, "GENRE"), (std::vector<std::string>{"a", "c"}));
    // A count past the end removes to the end; a first past the end removes nothing.
    info.meta_remove_values(0, 1, 50);
    EXPECT_EQ(values_of(info, "GENRE"), (std::vector<std::string>{"a"}));
    info.meta_remove_values(0, 3, 1);
    EXPECT_EQ(values_of(info, "GENRE"), (std::vector<std::string>{"a"}));

    info.meta_remove_values(0, 0, 1);
    EXPECT_EQ(info.meta_find("GENRE"), file_info::npos);
    EXPECT_EQ(field_names(info), (std::vector<std::string>{"ARTIST", "MOOD"}));

    info.meta_remove_field(1);
    EXPECT_EQ(field_names(info), (std::vector<std::string>{"ARTIST"}));
    info.meta_add("TITLE", "t");
    info.meta_remove_all();
    EXPECT_EQ(info.meta_get_count(), 0u);
}

TEST(FileInfoInfo, SetReplacesWithoutRegardToCase) {
    file_info_impl info;
    info.info_set("codec", "FLAC");
    info.info_set("bitrate", "900");
    info.info_set("CODEC", "MP3");
    ASSERT_EQ(info.info_get_count(), 2u);
    EXPECT_EQ(info.info_find("Codec"), 0u);
    EXPECT_STREQ(info.info_enum_value(0), "MP3");
    EXPECT_STREQ(info.info_enum_value(1), "900");
    EXPECT_EQ(info.info_find("channels"), file_info::npos);
    info.info_remove_all();
    EXPECT_EQ(info.info_get_count(), 0u);
}

file_info_impl sample_record() {
    file_info_impl info;
    info.meta_add("ARTIST", "A");
    info.meta_add("GENRE", "Rock");
    info.meta_add("GENRE", "Pop");
    info.info_set("codec", "FLAC");
    info.set_length(215.5);
    replaygain_info gain;
    gain.track_gain = -6.5f;
    gain.track_gain_present = true;
    gain.track_peak = 0.98f;
    info.set_replaygain(gain);
    return info;
}

TEST(FileInfoCopy, IsDeepAndEqual) {
    file_info_impl original = sample_record();
    file_info_impl copy;
    copy.meta_add("STALE", "gone");
    copy.info_set("stale", "gone");
    copy.copy(original);

    EXPECT_TRUE(copy.equals(original));
    EXPECT_TRUE(original.equals(copy));
    EXPECT_EQ(copy.meta_find("STALE"), file_info::npos);
    EXPECT_EQ(copy.info_find("stale"), file_info::npos);
    EXPECT_EQ(copy.get_length(), 215.5);
    EXPECT_TRUE(copy.get_replaygain() == original.get_replaygain());

    // Changing one leaves the other alone.
    copy.meta_add("GENRE", "Jazz");
    original.meta_insert_value_ex(original.meta_find("ARTIST"), 0, "B", 1);
    EXPECT_EQ(values_of(original, "GENRE"), (std::vector<std::string>{"Rock", "Pop"}));
    EXPECT_EQ(values_of(copy, "ARTIST"), (std::vector<std::string>{"A"}));
    EXPECT_FALSE(copy.equals(original));

    file_info_impl constructed(original);
    EXPECT_TRUE(constructed.equals(original));
    file_info_impl assigned;
    assigned = original;
    EXPECT_TRUE(assigned.equals(original));
    assigned = assigned;
    EXPECT_TRUE(assigned.equals(original));
    copy.copy(copy);
    EXPECT_EQ(values_of(copy, "GENRE"), (std::vector<std::string>{"Rock", "Pop", "Jazz"}));
}

TEST(FileInfoCopy, EqualsSeesEveryPart) {
    const file_info_impl base = sample_record();
    auto differs = [&](auto change) {
        file_info_impl other(base);
        change(other);
        return !other.equals(base) && !base.equals(other);
    };
    EXPECT_TRUE(differs([](file_info& i) { i.meta_add("GENRE", "Jazz"); }));
    EXPECT_TRUE(differs([](file_info& i) { i.meta_remove_values(i.meta_find("GENRE"), 1, 1); }));
    EXPECT_TRUE(differs([](file_info& i) { i.info_set("codec", "MP3"); }));
    EXPECT_TRUE(differs([](file_info& i) { i.info_set("channels", "2"); }));
    EXPECT_TRUE(differs([](file_info& i) { i.set_length(215.25); }));
    EXPECT_TRUE(differs([](file_info& i) {
        replaygain_info g = i.get_replaygain();
        g.album_gain_present = true;
        i.set_replaygain(g);
    }));
    // Value order matters.
    EXPECT_TRUE(differs([](file_info& i) {
        std::size_t genre = i.meta_find("GENRE");
        i.meta_remove_values(genre, 0, 1);
        i.meta_add("GENRE", "Rock");
    }));
}

}  // namespace
