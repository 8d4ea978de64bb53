// The preset record: defaults, value list operations, copies, presets by name, global fonts and colours.
#include <gtest/gtest.h>

#include <cstring>

#include "player/engine/PanelHostServices.h"
#include "presets/Options.h"
#include "tests/model/model_fixture.h"

namespace {

using quennet::Options;
using model_test::ModelTest;
using Strings = std::vector<std::string>;

class OptionsRecord : public ModelTest {};

TEST_F(OptionsRecord, DefaultsFollowTheTableAndTheGlobalSettings) {
    Options o;
    EXPECT_TRUE(o.name.empty());
    EXPECT_TRUE(o.metadata_field.empty());
    EXPECT_TRUE(o.tags.empty());
    EXPECT_TRUE(o.sort_list);
    EXPECT_FALSE(o.scan_library);
    EXPECT_FALSE(o.filter_on_focused_tags);
    EXPECT_EQ(o.doubleclick_action, Options::replace_playlist);
    EXPECT_EQ(o.edge_style, Options::edge_sunken);
    EXPECT_TRUE(o.global_colors_and_fonts);

    panoplex::log_font items, labels;
    host.fonts.get_font(panoplex::fonts::font_type_items, items);
    host.fonts.get_font(panoplex::fonts::font_type_labels, labels);
    EXPECT_EQ(std::memcmp(&o.list_font, &items, sizeof items), 0);
    EXPECT_EQ(std::memcmp(&o.text_font, &labels, sizeof labels), 0);
    EXPECT_EQ(o.text_color, host.colours.get_colour(panoplex::colours::colour_text));
    EXPECT_EQ(o.list_color, host.colours.get_colour(panoplex::colours::colour_text));
    EXPECT_EQ(o.back_color, host.colours.get_colour(panoplex::colours::colour_inactive_selection_background));
    EXPECT_EQ(o.list_back_color, host.colours.get_colour(panoplex::colours::colour_background));
}

TEST_F(OptionsRecord, EachColourComesFromItsOwnGlobalColour) {
    // Seven different colours, so that a field reading the wrong one cannot go unnoticed.
    for (unsigned index = 0; index < 7; ++index)
        host.colours.set_colour(panoplex::colours::colour_identifier_t(index), 0x010101u * (index + 1) + 0x100000u);
    const auto colour = [](unsigned index) { return 0x010101u * (index + 1) + 0x100000u; };
    Options o;
    EXPECT_EQ(o.text_color, colour(0)) << "text";
    EXPECT_EQ(o.list_color, colour(0)) << "text";
    EXPECT_EQ(o.back_color, colour(5)) << "inactive selection background";
    EXPECT_EQ(o.list_back_color, colour(3)) << "background";
}

TEST_F(OptionsRecord, ApplyGlobalsFollowsChangesOnlyWhenTheFlagIsSet) {
    Options o;
    host.colours.set_colour(panoplex::colours::colour_background, 0x123456);
    o.apply_global_colors_and_fonts();
    EXPECT_EQ(o.list_back_color, 0x123456u);
    o.global_colors_and_fonts = false;
    host.colours.set_colour(panoplex::colours::colour_background, 0x654321);
    o.apply_global_colors_and_fonts();
    EXPECT_EQ(o.list_back_color, 0x123456u);
}

TEST_F(OptionsRecord, LinesSplitDropEmptyPiecesAndSortOnlyWhenAsked) {
    Options sorted;
    sorted.add_tags("b\r\n\r\na\r\n", 0);
    EXPECT_EQ(sorted.tags, (Strings{"a", "b"}));
    Options unsorted;
    unsorted.sort_list = false;
    unsorted.add_tags("b\r\n\r\na\r\n", 0);
    EXPECT_EQ(unsorted.tags, (Strings{"b", "a"}));
    // Only carriage returns at the end of a line go; the last piece stays as it is.
    Options kept;
    kept.sort_list = false;
    kept.add_tags(" x\r\r\ny\r", 0);
    EXPECT_EQ(kept.tags, (Strings{" x", "y\r"}));
}

TEST_F(OptionsRecord, UniquenessIsByteWiseAndAnAddThatAddsNothingDoesNotSort) {
    Options o;
    o.sort_list = false;
    o.add_tags("z;Rock", ';');
    o.sort_list = true;
    o.add_tags("Rock", ';');
    EXPECT_EQ(o.tags, (Strings{"z", "Rock"})) << "nothing added: no sort";
    o.add_tags("rock", ';');
    ASSERT_EQ(o.tags.size(), 3u);
    EXPECT_EQ(o.tags.back(), "z");
    EXPECT_EQ(o.tag_set.size(), 3u);
}

TEST_F(OptionsRecord, JoiningUsesTheSeparatorOrLineEnds) {
    Options o;
    EXPECT_EQ(o.tags_as_text(';'), "");
    o.add_tags("Rock;Pop", ';');
    EXPECT_EQ(o.tags_as_text(';'), "Pop;Rock");
    EXPECT_EQ(o.tags_as_text(0), "Pop\r\nRock");
    // A value holding the separator comes back as two values.
    Options round;
    round.add_tags("a", ';');
    round.tags.push_back("b;c");
    Options read;
    read.add_tags(round.tags_as_text(';'), ';');
    EXPECT_EQ(read.tags, (Strings{"a", "b", "c"}));
}

TEST_F(OptionsRecord, PresetsAreFoundByExactNameFirstMatchFirst) {
    std::vector<Options> presets(3);
    presets[0].name = "Genre";
    presets[1].name = "Mood";
    presets[2].name = "Genre";
    EXPECT_EQ(quennet::find_preset(presets, "Genre"), 0);
    EXPECT_EQ(quennet::find_preset(presets, "genre"), -1);
    EXPECT_EQ(quennet::find_preset(presets, "Style"), -1);

    Options changed = presets[2];
    changed.add_tags("Jazz", ';');
    quennet::update_preset(presets, changed);
    EXPECT_EQ(presets[0].tags, (Strings{"Jazz"}));
    EXPECT_TRUE(presets[2].tags.empty());
    Options stranger;
    stranger.name = "Nobody";
    stranger.add_tags("x", ';');
    quennet::update_preset(presets, stranger);
    EXPECT_EQ(quennet::find_preset(presets, "Nobody"), -1);
}

TEST_F(OptionsRecord, CopiesAreIndependent) {
    Options source;
    source.add_tags("Rock", ';');
    source.value_counts["Rock"] = 2;
    Options copy = source;
    copy.add_tags("Pop", ';');
    copy.value_counts["Pop"] = 1;
    copy.value_counts["Rock"] = 5;
    EXPECT_EQ(source.tags, (Strings{"Rock"}));
    EXPECT_EQ(source.tag_set.size(), 1u);
    EXPECT_EQ(source.value_counts.size(), 1u);
    EXPECT_EQ(source.value_counts["Rock"], 2u);
}

TEST_F(OptionsRecord, ClearTagsKeepsTheCounts) {
    Options o;
    o.add_tags("a;b", ';');
    o.value_counts["a"] = 1;
    o.clear_tags();
    EXPECT_TRUE(o.tags.empty());
    EXPECT_TRUE(o.tag_set.empty());
    EXPECT_EQ(o.value_counts.size(), 1u);
    o.add_tags("a", ';');
    EXPECT_EQ(o.tags, (Strings{"a"})) << "the membership index was emptied too";
}

// Hosts with only some of the panel host's services.
class OptionsWithoutPanelHost : public ::testing::Test {
protected:
    void SetUp() override { sonavel::set_core(&core_); }
    void TearDown() override {
        sonavel::set_core(nullptr);
        state_.registry.clear();
    }
    player::HostState state_;
    player::ModuleCore core_{state_, "player.exe"};
    sonavel::service_impl_single_t<player::GlobalFonts> fonts_, more_fonts_;
    sonavel::service_impl_single_t<player::GlobalColours> colours_, more_colours_;

    void add_fonts(player::GlobalFonts& f) {
        state_.registry.add_instance(panoplex::fonts::manager::class_guid, static_cast<sonavel::service_base*>(&f));
    }
    void add_colours(player::GlobalColours& c) {
        state_.registry.add_instance(panoplex::colours::manager::class_guid, static_cast<sonavel::service_base*>(&c));
    }
};

TEST_F(OptionsWithoutPanelHost, NoFontServiceFailsConstruction) {
    EXPECT_THROW(Options(), sonavel::exception_service_not_found);
}

TEST_F(OptionsWithoutPanelHost, TwoFontServicesAreDuplicated) {
    add_fonts(fonts_);
    add_fonts(more_fonts_);
    EXPECT_THROW(Options(), sonavel::exception_service_duplicated);
}

TEST_F(OptionsWithoutPanelHost, MissingColourServiceFallsBackToSystemColours) {
    add_fonts(fonts_);
    Options o;
    EXPECT_EQ(o.text_color, quennet::global_colour(0));
    EXPECT_EQ(quennet::global_colour(7), 0u) << "unknown index is black";
    colours_.set_colour(panoplex::colours::colour_text, 0xABCDEF);
    add_colours(colours_);
    EXPECT_EQ(quennet::global_colour(0), 0xABCDEFu);
    add_colours(more_colours_);
    EXPECT_THROW(quennet::global_colour(0), sonavel::exception_service_duplicated);
}

}  // namespace
