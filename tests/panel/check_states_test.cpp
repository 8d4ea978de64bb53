// The value list's rules without a window: the state a value shows, what a filter lets through and which
// changes the list control may make on its own.
#include "panel/model/CheckStates.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace quennet;

constexpr std::uint32_t image(std::uint32_t index) { return state_image_bits(index); }
constexpr std::uint32_t selected = 0x0002;  // LVIS_SELECTED
constexpr std::uint32_t focused = 0x0001;   // LVIS_FOCUSED

TEST(CheckStatesValue, AValueNoSelectedTrackHasShowsAnEmptyBox) {
    EXPECT_EQ(value_state(0, 3), in_no_track);
    EXPECT_EQ(value_state(0, 0), in_no_track);
}

TEST(CheckStatesValue, AValueEverySelectedTrackHasShowsABlackTick) {
    EXPECT_EQ(value_state(3, 3), in_all_tracks);
    EXPECT_EQ(value_state(1, 1), in_all_tracks);
}

TEST(CheckStatesValue, AValueOnlySomeSelectedTracksHaveShowsAGreyTick) {
    EXPECT_EQ(value_state(1, 3), in_some_tracks);
    EXPECT_EQ(value_state(2, 3), in_some_tracks);
}

TEST(CheckStatesValue, ACountAboveTheSelectionShowsAsSome) {
    EXPECT_EQ(value_state(4, 3), in_some_tracks);
    EXPECT_EQ(value_state(1, 0), in_some_tracks);
}

TEST(CheckStatesValue, IndexesAreTheBitmapsImagesInOrder) {
    EXPECT_EQ(in_no_track, 1u);
    EXPECT_EQ(in_all_tracks, 2u);
    EXPECT_EQ(in_some_tracks, 3u);
    EXPECT_EQ(state_image_bits(3), 0x3000u);
    EXPECT_EQ(state_image_index(0x2000 | selected | focused), 2u);
}

TEST(CheckStatesFilter, AnEmptyFilterAdmitsEveryValueInEveryState) {
    for (std::uint32_t state : {in_no_track, in_all_tracks, in_some_tracks})
        EXPECT_TRUE(filter_admits("", "Rock", state)) << state;
}

TEST(CheckStatesFilter, TextMatchesTheStartOfTheValueWithoutRegardToCase) {
    EXPECT_TRUE(filter_admits("ro", "Rock", in_no_track));
    EXPECT_TRUE(filter_admits("RO", "Rockabilly", in_all_tracks));
    EXPECT_TRUE(filter_admits("Rock", "rock", in_some_tracks));
    EXPECT_FALSE(filter_admits("ro", "Hard Rock", in_no_track));
    EXPECT_FALSE(filter_admits("Rocks", "Rock", in_no_track));
}

TEST(CheckStatesFilter, CaseIsIgnoredBeyondAscii) {
    EXPECT_TRUE(filter_admits("\xC3\xA9le", "\xC3\x89lectro", in_no_track));  // "éle" starts "Électro"
    EXPECT_FALSE(filter_admits("\xC3\xA9le", "Electro", in_no_track));
}

TEST(CheckStatesFilter, ABackslashAloneAdmitsAll) {
    for (std::uint32_t state : {in_no_track, in_all_tracks, in_some_tracks})
        EXPECT_TRUE(filter_admits("\\", "Rock", state)) << state;
}

TEST(CheckStatesFilter, BackslashSAdmitsValuesSelectedTracksHaveInEitherCase) {
    for (const char* filter : {"\\s", "\\S"}) {
        EXPECT_FALSE(filter_admits(filter, "Jazz", in_no_track)) << filter;
        EXPECT_TRUE(filter_admits(filter, "Rock", in_all_tracks)) << filter;
        EXPECT_TRUE(filter_admits(filter, "Pop", in_some_tracks)) << filter;
    }
}

TEST(CheckStatesFilter, BackslashUAdmitsValuesNoSelectedTrackHas) {
    EXPECT_TRUE(filter_admits("\\u", "Jazz", in_no_track));
    EXPECT_FALSE(filter_admits("\\u", "Rock", in_all_tracks));
    EXPECT_FALSE(filter_admits("\\u", "Pop", in_some_tracks));
}

TEST(CheckStatesFilter, OtherBackslashTextsAreOrdinaryPrefixes) {
    EXPECT_TRUE(filter_admits("\\x", "\\xyz", in_no_track));
    EXPECT_FALSE(filter_admits("\\x", "Rock", in_no_track));
    EXPECT_FALSE(filter_admits("\\s ", "Rock", in_all_tracks));
    EXPECT_TRUE(filter_admits("\\so", "\\Soul", in_no_track));
}

TEST(CheckStatesRefusal, ASelectedRowIsAlwaysRefused) {
    EXPECT_TRUE(refuse_state_change(image(1), image(1) | selected, true, true, true, false));
    EXPECT_TRUE(refuse_state_change(image(1), image(2) | selected, true, true, true, false));
    EXPECT_TRUE(refuse_state_change(0, image(1) | selected, true, false, false, false));
}

TEST(CheckStatesRefusal, AnArmedChangeWithTracksSelectedIsAllowed) {
    EXPECT_FALSE(refuse_state_change(image(1), image(2), false, true, true, false));
    EXPECT_FALSE(refuse_state_change(image(3), image(1), false, true, true, false));
    EXPECT_FALSE(refuse_state_change(image(2), image(3), false, true, true, false));
}

TEST(CheckStatesRefusal, AnImageChangeIsRefusedUnarmedWithoutSelectionOrWhileBusy) {
    EXPECT_TRUE(refuse_state_change(image(1), image(2), false, false, true, false));
    EXPECT_TRUE(refuse_state_change(image(1), image(2), false, true, false, false));
    EXPECT_TRUE(refuse_state_change(image(1), image(2), false, true, true, true));
    EXPECT_TRUE(refuse_state_change(image(3), image(1), false, false, false, false));
}

TEST(CheckStatesRefusal, ARowWithoutAStateImageMayGetOne) {
    EXPECT_FALSE(refuse_state_change(0, image(2), false, false, false, true));
    EXPECT_FALSE(refuse_state_change(focused, image(3), false, false, false, false));
}

TEST(CheckStatesRefusal, ChangesThatKeepTheImageAreAllowed) {
    EXPECT_FALSE(refuse_state_change(image(2), image(2) | focused, false, false, false, true));
    EXPECT_FALSE(refuse_state_change(image(3) | focused, image(3), false, false, false, false));
    EXPECT_FALSE(refuse_state_change(image(1), image(1), false, false, true, false));
}

TEST(CheckStatesConstants, PlaceholdersAndIds) {
    EXPECT_EQ(add_values_placeholder, "-- add values --");
    EXPECT_EQ(filter_values_placeholder, "-- filter values --");
    EXPECT_EQ(value_list_id, 1101);
    EXPECT_EQ(filter_edit_id, 1102);
    EXPECT_EQ(add_edit_id, 1103);
    EXPECT_EQ(checkboxes_bitmap_id, 900);
}

}  // namespace
