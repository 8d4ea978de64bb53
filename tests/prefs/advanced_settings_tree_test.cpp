// The advanced settings as the Preferences page holds them: placed under their branches, in order, edited
// without touching the entries until applied.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "host/AdvancedSettings.h"
#include "player/prefs/AdvancedSettingsTree.h"
#include "player/prefs/IntegerText.h"

namespace prefs_test {
namespace {

using player::AdvancedSettingsTree;
using Kind = AdvancedSettingsTree::Kind;
using entry_ptr = sonavel::service_ptr_t<sonavel::advconfig_entry>;

constexpr sonavel::guid branch_id = {0x10000001, 0, 0, {1}};
constexpr sonavel::guid inner_id = {0x10000002, 0, 0, {2}};
constexpr sonavel::guid threshold_id = {0x10000003, 0, 0, {3}};
constexpr sonavel::guid console_id = {0x10000004, 0, 0, {4}};
constexpr sonavel::guid red_id = {0x10000005, 0, 0, {5}};
constexpr sonavel::guid blue_id = {0x10000006, 0, 0, {6}};
constexpr sonavel::guid text_id = {0x10000007, 0, 0, {7}};
constexpr sonavel::guid orphan_id = {0x10000008, 0, 0, {8}};

// A free text entry, as another component might register one.
class text_entry : public sonavel::advconfig_entry_string {
public:
    using interface_t = sonavel::advconfig_entry_string;
    text_entry(std::string name, sonavel::guid parent) : name_(std::move(name)), parent_(parent) {}
    void get_name(std::string& out) override { out = name_; }
    sonavel::guid get_guid() override { return text_id; }
    sonavel::guid get_parent() override { return parent_; }
    void reset() override { value = "initial"; }
    double get_sort_priority() override { return 0; }
    void get_state(std::string& out) override { out = value; }
    void set_state(const char* text) override {
        value = text;
        ++sets;
    }
    unsigned get_flags() override { return 0; }
    std::string value = "stored";
    int sets = 0;

private:
    std::string name_;
    sonavel::guid parent_;
};

class AdvancedTree : public ::testing::Test {
protected:
    using branch_t = sonavel::service_impl_single_t<quennet::advconfig_branch_impl>;
    using integer_t = sonavel::service_impl_single_t<quennet::advconfig_entry_integer_impl>;
    using box_t = sonavel::service_impl_single_t<quennet::advconfig_entry_checkbox_impl>;

    branch_t branch{"Varnel panel", branch_id, sonavel::advconfig_entry::guid_branch_display, 0.0};
    branch_t inner{"Colours", inner_id, branch_id, 1.0};
    integer_t threshold{"Warn before updating of more than N items (0=off)", threshold_id, branch_id, 0.0,
                        quennet::IntegerBounds{100, 0, std::numeric_limits<std::uint64_t>::max()}, 0u};
    box_t console{"Enable console output", console_id, branch_id, 0.0, false, false};
    box_t red{"Red", red_id, inner_id, 0.0, true, true};
    box_t blue{"Blue", blue_id, inner_id, 0.0, false, true};
    sonavel::service_impl_single_t<text_entry> text{"Name", sonavel::advconfig_entry::guid_root};

    std::vector<entry_ptr> all() {
        return {entry_ptr(&red), entry_ptr(&console), entry_ptr(&threshold), entry_ptr(&text), entry_ptr(&inner),
                entry_ptr(&blue), entry_ptr(&branch)};
    }
    static std::vector<std::string> names(const AdvancedSettingsTree& tree, const std::vector<std::size_t>& nodes) {
        std::vector<std::string> out;
        for (std::size_t n : nodes) out.push_back(tree.node(n).name);
        return out;
    }
};

TEST_F(AdvancedTree, EntriesHangUnderTheirBranchesAndTheHostsDisplayBranchHoldsTheComponentsBranch) {
    AdvancedSettingsTree tree(all());
    EXPECT_EQ(names(tree, tree.roots()), (std::vector<std::string>{"Display", "Name"}));
    auto display = *tree.find("Display");
    ASSERT_EQ(names(tree, tree.node(display).children), (std::vector<std::string>{"Varnel panel"}));
    auto varnel = *tree.find("Varnel panel");
    // Lower sort priority first, then by name without regard to case.
    EXPECT_EQ(names(tree, tree.node(varnel).children),
              (std::vector<std::string>{"Enable console output", "Warn before updating of more than N items (0=off)",
                                        "Colours"}));
    EXPECT_EQ(tree.node(*tree.find("Enable console output")).kind, Kind::checkbox);
    EXPECT_EQ(tree.node(*tree.find("Red")).kind, Kind::radio);
    EXPECT_EQ(tree.node(*tree.find("Colours")).kind, Kind::branch);
    auto warn = *tree.find("Warn before updating of more than N items (0=off)");
    EXPECT_EQ(tree.node(warn).kind, Kind::text);
    EXPECT_EQ(tree.label(warn), "Warn before updating of more than N items (0=off): 100");
}

TEST_F(AdvancedTree, AnEntryWhoseBranchNobodyRegisteredShowsAtTheTopAndAnEmptyHostBranchIsLeftOut) {
    box_t orphan{"Lost", orphan_id, sonavel::guid{0x7777, 0, 0, {}}, 0.0, false, false};
    AdvancedSettingsTree tree({entry_ptr(&orphan)});
    EXPECT_EQ(names(tree, tree.roots()), (std::vector<std::string>{"Lost"}));
}

TEST_F(AdvancedTree, BranchesWhoseParentsFormACircleStillShow) {
    branch_t a{"A", sonavel::guid{0x51, 0, 0, {}}, sonavel::guid{0x52, 0, 0, {}}, 0.0};
    branch_t b{"B", sonavel::guid{0x52, 0, 0, {}}, sonavel::guid{0x51, 0, 0, {}}, 0.0};
    AdvancedSettingsTree tree({entry_ptr(&a), entry_ptr(&b)});
    ASSERT_TRUE(tree.find("A").has_value());
    ASSERT_TRUE(tree.find("B").has_value());
}

TEST_F(AdvancedTree, EditsReachTheEntriesOnlyWhenApplied) {
    AdvancedSettingsTree tree(all());
    auto warn = *tree.find("Warn before updating of more than N items (0=off)");
    auto box = *tree.find("Enable console output");
    tree.set_text(warn, "2");
    tree.toggle(box);
    EXPECT_TRUE(tree.edited());
    EXPECT_EQ(threshold.variable().get(), 100u);
    EXPECT_FALSE(console.variable().get());

    tree.apply();
    EXPECT_EQ(threshold.variable().get(), 2u);
    EXPECT_TRUE(console.variable().get());
    EXPECT_FALSE(tree.edited());
    EXPECT_EQ(text.sets, 0) << "an entry that was not edited is not written";
}

TEST_F(AdvancedTree, AnIntegerEntryTakesAWholeNumberWithSpaceAroundIt) {
    AdvancedSettingsTree tree(all());
    auto warn = *tree.find("Warn before updating of more than N items (0=off)");
    tree.set_text(warn, " 0250 ");
    EXPECT_FALSE(tree.check().has_value());
    tree.apply();
    EXPECT_EQ(threshold.variable().get(), 250u);
    EXPECT_EQ(tree.node(warn).text, "250");
}

TEST_F(AdvancedTree, TextThatIsNoWholeNumberIsRefusedNamingTheSettingAndTheEntryKeepsItsValue) {
    AdvancedSettingsTree tree(all());
    auto warn = *tree.find("Warn before updating of more than N items (0=off)");
    for (const char* text : {"ten", "250 items", "", " ", "-3", "1e3", "12.5", "+4"}) {
        SCOPED_TRACE(text);
        tree.set_text(warn, text);
        auto refused = tree.check();
        ASSERT_TRUE(refused.has_value());
        EXPECT_EQ(refused->node, warn);
        EXPECT_EQ(refused->message, "\"Warn before updating of more than N items (0=off)\": \"" + std::string(text) +
                                        "\" is not a whole number. The setting keeps its value 100.");
        EXPECT_EQ(threshold.variable().get(), 100u) << "checking changes nothing";
        tree.restore(warn);
        EXPECT_EQ(tree.node(warn).text, "100");
        EXPECT_FALSE(tree.edited());
    }
}

TEST_F(AdvancedTree, ANumberOutOfTheEntrysRangeIsRefusedWithTheNearestAllowed) {
    integer_t small{"Retries", sonavel::guid{0x61, 0, 0, {}}, branch_id, 0.0, quennet::IntegerBounds{5, 1, 10}, 0u};
    AdvancedSettingsTree tree({entry_ptr(&branch), entry_ptr(&small), entry_ptr(&threshold)});
    auto retries = *tree.find("Retries");
    tree.set_text(retries, "11");
    auto refused = tree.check();
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->message, "\"Retries\": 11 is out of range (the nearest value allowed is 10). "
                                "The setting keeps its value 5.");
    EXPECT_EQ(small.variable().get(), 5u);
    tree.set_text(retries, "0");
    ASSERT_TRUE(tree.check().has_value());
    tree.set_text(retries, "10");
    EXPECT_FALSE(tree.check().has_value());

    auto warn = *tree.find("Warn before updating of more than N items (0=off)");
    tree.set_text(warn, "99999999999999999999999");
    refused = tree.check();
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->node, warn);
    EXPECT_NE(refused->message.find("the nearest value allowed is 18446744073709551615"), std::string::npos)
        << refused->message;
    EXPECT_EQ(threshold.variable().get(), 100u);
}

TEST_F(AdvancedTree, OnlyEditedIntegerEntriesAreChecked) {
    AdvancedSettingsTree tree(all());
    tree.set_text(*tree.find("Name"), "not a number, and free text");
    EXPECT_FALSE(tree.check().has_value());
}

TEST(IntegerText, DecimalFormOfWholeNumbers) {
    EXPECT_EQ(player::decimal_of("007", false), "7");
    EXPECT_EQ(player::decimal_of("0", false), "0");
    EXPECT_EQ(player::decimal_of("\t42\r\n", false), "42");
    EXPECT_EQ(player::decimal_of("-12", true), "-12");
    EXPECT_EQ(player::decimal_of("-000", true), "0");
    EXPECT_EQ(player::decimal_of("-12", false), std::nullopt);
    EXPECT_EQ(player::decimal_of("-", true), std::nullopt);
    EXPECT_EQ(player::decimal_of("4 2", false), std::nullopt);
    EXPECT_EQ(player::decimal_of("٣", false), std::nullopt) << "digits of other scripts are not taken";
}

TEST_F(AdvancedTree, ARadioButtonSwitchesOffItsNeighboursAndCannotBeSwitchedOffAlone) {
    AdvancedSettingsTree tree(all());
    auto r = *tree.find("Red"), b = *tree.find("Blue");
    tree.set_checked(r, false);
    EXPECT_TRUE(tree.node(r).checked);
    tree.toggle(b);
    EXPECT_TRUE(tree.node(b).checked);
    EXPECT_FALSE(tree.node(r).checked);
    tree.apply();
    EXPECT_TRUE(blue.get_state());
    EXPECT_FALSE(red.get_state());
}

TEST_F(AdvancedTree, ResetAllShowsTheDefaultsAndChangesNothingBeforeApply) {
    threshold.variable() = 7;
    console.variable() = true;
    AdvancedSettingsTree tree(all());
    tree.reset_all();
    EXPECT_EQ(tree.node(*tree.find("Warn before updating of more than N items (0=off)")).text, "100");
    EXPECT_FALSE(tree.node(*tree.find("Enable console output")).checked);
    EXPECT_EQ(tree.node(*tree.find("Name")).text, "initial");
    EXPECT_EQ(threshold.variable().get(), 7u);
    EXPECT_TRUE(console.variable().get());
    EXPECT_EQ(text.value, "stored");
    tree.apply();
    EXPECT_EQ(threshold.variable().get(), 100u);
    EXPECT_FALSE(console.variable().get());
    EXPECT_EQ(text.value, "initial");
}

}  // namespace
}  // namespace prefs_test
