// The preset list edits behind the Options dialog's New, Rename and Delete.
#include <gtest/gtest.h>

#include <cstring>

#include "player/engine/HostEngines.h"
#include "tests/presets/preset_test_support.h"
#include "presets/PresetEdits.h"

namespace {

using quennet::PresetFields;
using quennet::Options;
using Strings = std::vector<std::string>;

using preset_test::started_host;

panoplex::log_font font_of_height(std::int32_t height) {
    panoplex::log_font font;
    font.height = height;
    font.face_name[0] = u'F';
    return font;
}

using preset_test::same_font;

Options named(const std::string& name) {
    Options options;
    options.name = name;
    return options;
}

Strings names_of(const std::vector<Options>& presets) {
    Strings names;
    for (const Options& preset : presets) names.push_back(preset.name);
    return names;
}

class PresetEdits : public ::testing::Test {
protected:
    // A preset with its own appearance, shown in the controls with other values.
    Options own_appearance() {
        Options old = named("Old");
        old.global_colors_and_fonts = false;
        old.list_font = font_of_height(-30);
        old.text_font = font_of_height(-31);
        old.text_color = 1;
        old.list_color = 2;
        old.back_color = 3;
        old.list_back_color = 4;
        old.metadata_field = "GENRE";
        return old;
    }

    started_host host;
};

TEST_F(PresetEdits, ANewPresetHasTheControlsValuesAndTheGlobalAppearance) {
    Options shown = own_appearance();
    PresetFields fields = quennet::fields_of(shown);
    fields.tags = "Pop\r\nRock";
    const Options made = quennet::new_preset(fields, "New");
    const Options fresh;
    EXPECT_EQ(made.name, "New");
    EXPECT_EQ(made.metadata_field, "GENRE");
    EXPECT_EQ(made.tags, (Strings{"Pop", "Rock"}));
    EXPECT_FALSE(made.global_colors_and_fonts);
    EXPECT_TRUE(same_font(made.text_font, fresh.text_font));
    EXPECT_TRUE(same_font(made.list_font, fresh.list_font));
    EXPECT_EQ(made.back_color, fresh.back_color);
    EXPECT_EQ(made.list_back_color, fresh.list_back_color);
}

TEST_F(PresetEdits, ARenamedPresetKeepsItsOwnFontsAndColours) {
    const Options old = own_appearance();
    PresetFields fields = quennet::fields_of(old);
    fields.metadata_field = "MOOD";
    const Options renamed = quennet::renamed_preset(old, fields, "Renamed");
    EXPECT_EQ(renamed.name, "Renamed");
    EXPECT_EQ(renamed.metadata_field, "MOOD");
    EXPECT_TRUE(same_font(renamed.list_font, old.list_font));
    EXPECT_TRUE(same_font(renamed.text_font, old.text_font));
    EXPECT_EQ(renamed.text_color, 1u);
    EXPECT_EQ(renamed.list_color, 2u);
    EXPECT_EQ(renamed.back_color, 3u);
    EXPECT_EQ(renamed.list_back_color, 4u);
}

TEST_F(PresetEdits, ARenamedPresetWithGlobalColorsCheckedTakesTheGlobalOnes) {
    const Options old = own_appearance();
    PresetFields fields = quennet::fields_of(old);
    fields.global_colors_and_fonts = true;
    const Options renamed = quennet::renamed_preset(old, fields, "Renamed");
    const Options fresh;
    EXPECT_TRUE(same_font(renamed.text_font, fresh.text_font));
    EXPECT_EQ(renamed.back_color, fresh.back_color);
}

TEST_F(PresetEdits, ErasingRemovesOnlyTheFirstPresetOfExactlyThatName) {
    std::vector<Options> presets = {named("Rock"), named("rock"), named("Jazz"), named("Rock")};
    EXPECT_FALSE(quennet::erase_first_preset(presets, "ROCK"));
    EXPECT_TRUE(quennet::erase_first_preset(presets, "Rock"));
    EXPECT_EQ(names_of(presets), (Strings{"rock", "Jazz", "Rock"}));
    EXPECT_TRUE(quennet::erase_first_preset(presets, "Rock"));
    EXPECT_EQ(names_of(presets), (Strings{"rock", "Jazz"}));
    EXPECT_FALSE(quennet::erase_first_preset(presets, "Rock"));
}

TEST_F(PresetEdits, AfterARemovalTheEntryAtThePlaceOrTheLastIsSelected) {
    EXPECT_EQ(quennet::position_after_removal(0, 2), 0);
    EXPECT_EQ(quennet::position_after_removal(1, 2), 1);
    EXPECT_EQ(quennet::position_after_removal(2, 2), 1);
    EXPECT_EQ(quennet::position_after_removal(0, 0), PresetFields::no_choice);
}

}  // namespace
