// The advanced-settings branch and its two entries: names, places, values as text, and resets.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "host/Registration.h"
#include "host/Settings.h"
#include "tests/host/component_host.h"

namespace {

constexpr std::uint64_t largest = std::numeric_limits<std::uint64_t>::max();

using quennet::integer_from_text;

class RegistrationAdvancedSettings : public registration_test::DefaultSettings {
protected:
    quennet::advconfig_branch_impl& branch = quennet::settings_branch.get_static_instance();
    quennet::advconfig_entry_integer_impl& threshold = quennet::warning_threshold_entry.get_static_instance();
    quennet::advconfig_entry_checkbox_impl& console = quennet::console_output_entry.get_static_instance();

    std::string name_of(sonavel::advconfig_entry& entry) {
        std::string name;
        entry.get_name(name);
        return name;
    }
    // Enters the text and answers the text shown afterwards.
    std::string enter(const char* text) {
        threshold.set_state(text);
        std::string shown;
        threshold.get_state(shown);
        return shown;
    }
};

TEST_F(RegistrationAdvancedSettings, BranchHoldsBothEntriesUnderTheHostsDisplayBranch) {
    EXPECT_EQ(name_of(branch), "Varnel panel");
    EXPECT_EQ(branch.get_parent(), sonavel::advconfig_entry::guid_branch_display);
    EXPECT_EQ(threshold.get_parent(), branch.get_guid());
    EXPECT_EQ(console.get_parent(), branch.get_guid());
    EXPECT_NE(branch.get_guid(), threshold.get_guid());
    EXPECT_NE(branch.get_guid(), console.get_guid());
    EXPECT_EQ(branch.get_sort_priority(), 0.0);
    EXPECT_EQ(threshold.get_sort_priority(), 0.0);
    EXPECT_EQ(console.get_sort_priority(), 0.0);
}

TEST_F(RegistrationAdvancedSettings, EntriesShowTheComponentsSettingsUnderTheVariablesGuids) {
    EXPECT_EQ(name_of(threshold), "Warn before updating of more than N items (0=off)");
    EXPECT_EQ(name_of(console), "Enable console output");
    EXPECT_EQ(&threshold.variable(), &quennet::cfg_update_warning_threshold());
    EXPECT_EQ(&console.variable(), &quennet::cfg_console_output());
    EXPECT_EQ(threshold.get_guid(), quennet::cfg_update_warning_threshold().get_guid());
    EXPECT_EQ(console.get_guid(), quennet::cfg_console_output().get_guid());
    EXPECT_NE(threshold.get_guid(), console.get_guid());
}

TEST_F(RegistrationAdvancedSettings, ThresholdIsAnUnsignedIntegerEntryWithoutPreferenceFlags) {
    EXPECT_EQ(threshold.get_flags(), unsigned(sonavel::advconfig_entry_string::flag_is_integer));
}

TEST_F(RegistrationAdvancedSettings, ConsoleIsACheckBoxNotARadioButton) { EXPECT_FALSE(console.is_radio()); }

TEST_F(RegistrationAdvancedSettings, ThresholdShowsInDecimal) {
    std::string shown;
    threshold.get_state(shown);
    EXPECT_EQ(shown, "100");
    quennet::cfg_update_warning_threshold() = largest;
    threshold.get_state(shown);
    EXPECT_EQ(shown, "18446744073709551615");
}

TEST_F(RegistrationAdvancedSettings, EnteredTextKeepsItsLeadingDigits) {
    EXPECT_EQ(enter("250 items"), "250");
    EXPECT_EQ(quennet::cfg_update_warning_threshold().get(), 250u);
    EXPECT_EQ(enter("0"), "0");
    EXPECT_EQ(enter("007"), "7");
    EXPECT_EQ(enter("12abc34"), "12");
    EXPECT_EQ(enter("18446744073709551615"), "18446744073709551615");
}

TEST_F(RegistrationAdvancedSettings, TextNotStartingWithADigitTurnsTheWarningOff) {
    for (const char* text : {"letters", " 250", "\t250", "-5", "+5", ""}) {
        quennet::cfg_update_warning_threshold() = 100;
        EXPECT_EQ(enter(text), "0") << '"' << text << '"';
    }
    quennet::cfg_update_warning_threshold() = 100;
    threshold.set_state(nullptr);
    EXPECT_EQ(quennet::cfg_update_warning_threshold().get(), 0u);
}

TEST_F(RegistrationAdvancedSettings, NumbersBeyondSixtyFourBitsStopAtTheMaximum) {
    EXPECT_EQ(enter("18446744073709551616"), "18446744073709551615");
    EXPECT_EQ(enter("99999999999999999999999"), "18446744073709551615");
    EXPECT_EQ(enter("184467440737095516150"), "18446744073709551615");
    EXPECT_EQ(enter(std::string(400, '9').c_str()), "18446744073709551615");
}

TEST(RegistrationIntegerText, ClampsToTheEntrysBounds) {
    EXPECT_EQ(integer_from_text("5", 10, 20), 10u);
    EXPECT_EQ(integer_from_text("15", 10, 20), 15u);
    EXPECT_EQ(integer_from_text("25", 10, 20), 20u);
    EXPECT_EQ(integer_from_text("x", 10, 20), 10u);
    EXPECT_EQ(integer_from_text("99999999999999999999999", 10, 20), 20u);
    EXPECT_EQ(integer_from_text("18446744073709551614", 0, largest), largest - 1);
}

TEST_F(RegistrationAdvancedSettings, ResetRestoresAHundredAndConsoleOff) {
    threshold.set_state("7");
    console.set_state(true);
    threshold.reset();
    console.reset();
    EXPECT_EQ(quennet::cfg_update_warning_threshold().get(), 100u);
    EXPECT_FALSE(quennet::cfg_console_output().get());
    // The branch has nothing to reset and leaves its entries alone.
    threshold.set_state("7");
    branch.reset();
    EXPECT_EQ(quennet::cfg_update_warning_threshold().get(), 7u);
}

TEST_F(RegistrationAdvancedSettings, CheckBoxReadsAndWritesTheConsoleSwitch) {
    EXPECT_FALSE(console.get_state());
    console.set_state(true);
    EXPECT_TRUE(quennet::cfg_console_output().get());
    quennet::cfg_console_output() = false;
    EXPECT_FALSE(console.get_state());
}

}  // namespace
