// The history's bound: its defaults, its place in player.cfg, what the window says, and its entries in
// the advanced preferences.
#include <gtest/gtest.h>

#include "player/history/HistoryLimits.h"
#include "player/history/HistorySettings.h"

namespace {

using player::history::HistoryLimitEntry;
using player::history::HistoryLimits;

TEST(HistoryLimits, DefaultsAreAHundredUpdatesOrAMillionChangedValues) {
    HistoryLimits limits;
    EXPECT_EQ(limits.updates, 100u);
    EXPECT_EQ(limits.changed_values, 1000000u);
    EXPECT_EQ(limits.describe(), "The last 100 updates or 1,000,000 changed values are kept, whichever is more.");
}

TEST(HistoryLimits, ComeBackFromTheirConfigurationBlock) {
    HistoryLimits limits;
    limits.updates = 7;
    limits.changed_values = 5000000000ull;
    const std::vector<std::uint8_t> bytes = limits.to_bytes();
    ASSERT_EQ(bytes.size(), 12u);
    HistoryLimits back = HistoryLimits::from_bytes(&bytes);
    EXPECT_EQ(back.updates, 7u);
    EXPECT_EQ(back.changed_values, 5000000000ull);
}

TEST(HistoryLimits, AMissingOrShortBlockGivesTheDefaults) {
    EXPECT_EQ(HistoryLimits::from_bytes(nullptr).updates, 100u);
    const std::vector<std::uint8_t> short_block = {1, 0, 0};
    EXPECT_EQ(HistoryLimits::from_bytes(&short_block).changed_values, 1000000u);
}

class HistoryLimitEntries : public ::testing::Test {
protected:
    HistoryLimits limits;
    sonavel::service_impl_single_t<HistoryLimitEntry> updates{HistoryLimitEntry::limit::updates, [this] { return limits; },
                                                              [this](const HistoryLimits& l) { limits = l; }};
    sonavel::service_impl_single_t<HistoryLimitEntry> values{HistoryLimitEntry::limit::changed_values,
                                                             [this] { return limits; },
                                                             [this](const HistoryLimits& l) { limits = l; }};

    static std::string state(HistoryLimitEntry& entry) {
        std::string text;
        entry.get_state(text);
        return text;
    }
};

TEST_F(HistoryLimitEntries, ShowAndChangeTheLimitsAsDecimalIntegers) {
    EXPECT_EQ(state(updates), "100");
    EXPECT_EQ(state(values), "1000000");
    updates.set_state("250");
    values.set_state("20");
    EXPECT_EQ(limits.updates, 250u);
    EXPECT_EQ(limits.changed_values, 20u);
    EXPECT_EQ(updates.get_flags() & sonavel::advconfig_entry_string::flag_is_integer,
              unsigned(sonavel::advconfig_entry_string::flag_is_integer));
    EXPECT_EQ(updates.get_parent(), player::history::HistoryBranch::id);
    EXPECT_NE(updates.get_guid(), values.get_guid());
}

TEST_F(HistoryLimitEntries, TextThatIsNoNumberChangesNothingAndZeroKeepsOne) {
    updates.set_state("12x");
    updates.set_state("");
    EXPECT_EQ(limits.updates, 100u);
    updates.set_state("0");
    EXPECT_EQ(limits.updates, 1u);
    updates.set_state("99999999999");
    EXPECT_EQ(limits.updates, 4294967295u);
}

TEST_F(HistoryLimitEntries, ResetGivesTheDefaultBack) {
    values.set_state("3");
    values.reset();
    EXPECT_EQ(limits.changed_values, 1000000u);
}

}  // namespace
