// The text a value's tip shows for the selected tracks' counts.
#include "panel/model/ValueCountTip.h"

#include <gtest/gtest.h>

namespace {

using quennet::value_count_tip;

TEST(ValueCountTip, ValueNoSelectedTrackCarriesIsNotInTheSelection) {
    EXPECT_EQ(value_count_tip("Jazz", 0, 3), "Jazz: not in the selection");
    EXPECT_EQ(value_count_tip("Jazz", 0, 0), "Jazz: not in the selection");
}

TEST(ValueCountTip, ValueEverySelectedTrackCarriesCountsThemAll) {
    EXPECT_EQ(value_count_tip("Rock", 3, 3), "Rock: 3 of 3 selected tracks");
}

TEST(ValueCountTip, ValueSomeSelectedTracksCarryCountsThem) {
    EXPECT_EQ(value_count_tip("Pop", 1, 3), "Pop: 1 of 3 selected tracks");
    EXPECT_EQ(value_count_tip("Pop", 1234, 10000), "Pop: 1234 of 10000 selected tracks");
}

}  // namespace
