// What the Options dialog's controls show of a preset, and how what they hold goes back into the record.
#include <gtest/gtest.h>

#include <cstring>

#include "player/engine/HostEngines.h"
#include "tests/presets/preset_test_support.h"
#include "presets/PresetFields.h"

namespace {

using quennet::PresetFields;
using quennet::Options;
using Strings = std::vector<std::string>;

using preset_test::started_host;

panoplex::log_font font_named(const char16_t* face, std::int32_t height) {
    panoplex::log_font font;
    font.height = height;
    for (int i = 0; face[i] && i < 31; ++i) font.face_name[i] = face[i];
    return font;
}

using preset_test::same_font;

class PresetFieldsTest : public ::testing::Test {
protected:
    started_host host;
};

TEST_F(PresetFieldsTest, TheDropDownItemsStandForTheirPositions) {
    EXPECT_STREQ(quennet::edge_style_names()[Options::edge_none], "None");
    EXPECT_STREQ(quennet::edge_style_names()[Options::edge_grey], "Grey");
    EXPECT_STREQ(quennet::edge_style_names()[Options::edge_sunken], "Sunken");
    EXPECT_STREQ(quennet::doubleclick_action_names()[Options::add_to_playlist], "Add to playlist");
    EXPECT_STREQ(quennet::doubleclick_action_names()[Options::replace_playlist], "Replace playlist");
}

TEST_F(PresetFieldsTest, ValuesShowOnePerLineWithCrLfBetween) {
    Options options;
    options.sort_list = false;
    options.add_tags("Rock;Pop;Jazz", ';');
    EXPECT_EQ(quennet::fields_of(options).tags, "Rock\r\nPop\r\nJazz");
    options.clear_tags();
    EXPECT_EQ(quennet::fields_of(options).tags, "");
}

TEST_F(PresetFieldsTest, EveryShownFieldComesFromTheRecord) {
    Options options;
    options.metadata_field = "MOOD";
    options.sort_list = false;
    options.scan_library = true;
    options.filter_on_focused_tags = true;
    options.global_colors_and_fonts = false;
    options.edge_style = Options::edge_grey;
    options.doubleclick_action = Options::add_to_playlist;
    options.scan_fields = "GENRE;STYLE";
    options.playlist_name = "Moods";
    options.filter_fields = "ARTIST";
    options.sort_order = "%album%\r\n%tracknumber%";
    options.same_value_fields = "ALBUM";
    const PresetFields fields = quennet::fields_of(options);
    EXPECT_EQ(fields.metadata_field, "MOOD");
    EXPECT_FALSE(fields.sort_list);
    EXPECT_TRUE(fields.scan_library);
    EXPECT_TRUE(fields.filter_on_focused_tags);
    EXPECT_FALSE(fields.global_colors_and_fonts);
    EXPECT_EQ(fields.edge_style, 1);
    EXPECT_EQ(fields.doubleclick_action, 0);
    EXPECT_EQ(fields.scan_fields, "GENRE;STYLE");
    EXPECT_EQ(fields.playlist_name, "Moods");
    EXPECT_EQ(fields.filter_fields, "ARTIST");
    EXPECT_EQ(fields.sort_order, "%album%\r\n%tracknumber%");
    EXPECT_EQ(fields.same_value_fields, "ALBUM");
}

TEST_F(PresetFieldsTest, StoringReplacesTheValuesByTheTrimmedLinesSortedWhenAsked) {
    Options options;
    options.add_tags("Old", ';');
    PresetFields fields = quennet::fields_of(options);
    fields.tags = "b\r\n\r\na\r\n b \r\n  \r\nc ";
    fields.sort_list = true;
    quennet::store_fields(fields, options);
    EXPECT_EQ(options.tags, (Strings{"a", "b", "c"}));
    fields.sort_list = false;
    quennet::store_fields(fields, options);
    EXPECT_EQ(options.tags, (Strings{"b", "a", "c"}));
    EXPECT_EQ(options.tag_set.count("Old"), 0u);
}

TEST_F(PresetFieldsTest, AValueShownAndLeftAloneKeepsItsSpaces) {
    // " Acoustic" came from a file: the user must still see and untick that very value.
    Options options;
    options.sort_list = false;
    options.add_value(" Acoustic");
    options.add_value("Jazz");
    PresetFields fields = quennet::fields_of(options);
    fields.tags += "\r\n Folk ";
    quennet::store_fields(fields, options);
    EXPECT_EQ(options.tags, (Strings{" Acoustic", "Jazz", "Folk"}));
}

TEST_F(PresetFieldsTest, StoringCopiesEveryFieldButTheName) {
    Options options;
    options.name = "Kept";
    PresetFields fields;
    fields.metadata_field = "STYLE";
    fields.sort_list = false;
    fields.scan_library = true;
    fields.filter_on_focused_tags = true;
    fields.global_colors_and_fonts = true;
    fields.edge_style = 0;
    fields.doubleclick_action = 0;
    fields.scan_fields = "A";
    fields.playlist_name = "B";
    fields.filter_fields = "C";
    fields.sort_order = "D";
    fields.same_value_fields = "E";
    quennet::store_fields(fields, options);
    EXPECT_EQ(options.name, "Kept");
    EXPECT_EQ(options.metadata_field, "STYLE");
    EXPECT_FALSE(options.sort_list);
    EXPECT_TRUE(options.scan_library);
    EXPECT_TRUE(options.filter_on_focused_tags);
    EXPECT_EQ(options.edge_style, Options::edge_none);
    EXPECT_EQ(options.doubleclick_action, Options::add_to_playlist);
    EXPECT_EQ(options.scan_fields, "A");
    EXPECT_EQ(options.playlist_name, "B");
    EXPECT_EQ(options.filter_fields, "C");
    EXPECT_EQ(options.sort_order, "D");
    EXPECT_EQ(options.same_value_fields, "E");
}

TEST_F(PresetFieldsTest, AChoiceWithoutSelectionKeepsTheRecordsValue) {
    Options options;
    options.edge_style = 7;  // outside the list: a damaged store
    options.doubleclick_action = Options::add_to_playlist;
    PresetFields fields = quennet::fields_of(options);
    fields.edge_style = PresetFields::no_choice;
    fields.doubleclick_action = PresetFields::no_choice;
    quennet::store_fields(fields, options);
    EXPECT_EQ(options.edge_style, 7);
    EXPECT_EQ(options.doubleclick_action, Options::add_to_playlist);
}

TEST_F(PresetFieldsTest, GlobalColorsAndFontsReplaceTheRecordsOwnOnlyWhenChecked) {
    Options options;
    options.global_colors_and_fonts = false;
    options.text_font = font_named(u"Own", -20);
    options.back_color = 0x123456;
    host.fonts.set_font(panoplex::fonts::font_type_labels, font_named(u"Global", -11));
    host.colours.set_colour(panoplex::colours::colour_inactive_selection_background, 0x00ABCDEF);

    PresetFields fields = quennet::fields_of(options);
    quennet::store_fields(fields, options);
    EXPECT_TRUE(same_font(options.text_font, font_named(u"Own", -20)));
    EXPECT_EQ(options.back_color, 0x123456u);

    fields.global_colors_and_fonts = true;
    quennet::store_fields(fields, options);
    EXPECT_TRUE(options.global_colors_and_fonts);
    EXPECT_TRUE(same_font(options.text_font, font_named(u"Global", -11)));
    EXPECT_EQ(options.back_color, 0x00ABCDEFu);
}

}  // namespace
