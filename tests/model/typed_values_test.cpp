// Values as the user types them into the add box and the Options dialog: pieces trimmed, empty ones
// dropped, inner spaces and values shown for editing kept as they are.
#include <gtest/gtest.h>

#include "presets/TypedValues.h"
#include "tests/model/model_fixture.h"

namespace {

using quennet::typed_values;
using model_test::ModelTest;
using Strings = std::vector<std::string>;

TEST(TypedValues, PiecesAreTrimmedAndKeepTheirInnerSpaces) {
    EXPECT_EQ(typed_values("Nordic Folk; Kammarmusik \xC3\xA9", ';'), (Strings{"Nordic Folk", "Kammarmusik \xC3\xA9"}));
    EXPECT_EQ(typed_values("\tRock \r\n", ';'), (Strings{"Rock"}));
}

TEST(TypedValues, EmptyAndBlankPiecesAreDropped) {
    EXPECT_EQ(typed_values("Lo-Fi;;  ;", ';'), (Strings{"Lo-Fi"}));
    EXPECT_TRUE(typed_values(" ; ;", ';').empty());
    EXPECT_TRUE(typed_values("", ';').empty());
}

TEST(TypedValues, NoBreakAndIdeographicSpacesAreWhiteSpaceToo) {
    // U+00A0 and U+3000 (what a Japanese input method types between words) around the value, U+3000 inside.
    EXPECT_EQ(typed_values("\xC2\xA0Jazz\xC2\xA0;\xE3\x80\x80\xE3\x82\xB7\xE3\x80\x80\xE3\x83\x86\xE3\x80\x80", ';'),
              (Strings{"Jazz", "\xE3\x82\xB7\xE3\x80\x80\xE3\x83\x86"}));
}

TEST(TypedValues, LinesSplitAtLineEndsWithoutRegardToSemicolons) {
    EXPECT_EQ(typed_values("b\r\n\r\n a;c \r\n  \nd", 0), (Strings{"b", "a;c", "d"}));
}

TEST(TypedValues, AValueShownForEditingKeepsItsBytes) {
    // A file's " Acoustic" listed in the dialog and left alone stays the value the files carry.
    EXPECT_EQ(typed_values(" Acoustic\r\n Folk \r\nJazz ", 0, {" Acoustic", "Jazz"}),
              (Strings{" Acoustic", "Folk", "Jazz"}));
}

class TypedValuesInAPreset : public ModelTest {};

TEST_F(TypedValuesInAPreset, OnlyNewValuesAreAddedAndTheListIsSortedWhenAsked) {
    quennet::Options options;
    options.add_value("Rock");
    EXPECT_TRUE(quennet::add_typed_values(options, " pop ; Rock ;Blues", ';'));
    EXPECT_EQ(options.tags, (Strings{"Blues", "pop", "Rock"}));
    EXPECT_FALSE(quennet::add_typed_values(options, "Rock; ;", ';'));
}

}  // namespace
