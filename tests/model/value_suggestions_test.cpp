// What the add box suggests for the value being typed.
#include <gtest/gtest.h>

#include "panel/model/ValueSuggestions.h"

namespace {

using Strings = std::vector<std::string>;
using quennet::suggest_values;

TEST(ValueSuggestions, TheValueBeingTypedIsTheTextAfterTheLastSemicolon) {
    EXPECT_EQ(quennet::typed_piece("Blues; ro"), "ro");
    EXPECT_EQ(quennet::typed_piece("ro"), "ro");
    EXPECT_EQ(quennet::typed_piece("Blues;"), "");
    EXPECT_EQ(quennet::with_suggestion("Blues; ro", "Rock"), "Blues; Rock");
    EXPECT_EQ(quennet::with_suggestion("hip", "Hip-Hop"), "Hip-Hop");
}

TEST(ValueSuggestions, StartingValuesComeFirstThenContainingOnesWithoutRegardToCase) {
    const Strings known{"Pop", "Hard Rock", "Rock", "rockabilly", "Jazz", "Rock"};
    EXPECT_EQ(suggest_values(known, "ROC"), (Strings{"Rock", "rockabilly", "Hard Rock"}));
    EXPECT_EQ(suggest_values(known, "z"), (Strings{"Jazz"}));
    EXPECT_TRUE(suggest_values(known, "").empty());
    EXPECT_TRUE(suggest_values(known, "Metal").empty());
}

TEST(ValueSuggestions, TheValueTypedExactlyIsNotSuggestedButOtherCasesAre) {
    EXPECT_EQ(suggest_values({"Rock", "rock", "Rockabilly"}, "Rock"), (Strings{"rock", "Rockabilly"}));
}

TEST(ValueSuggestions, ALimitKeepsTheListShortStartingValuesFirst) {
    EXPECT_EQ(suggest_values({"xa", "a1", "a2", "a3"}, "a", 2), (Strings{"a1", "a2"}));
    EXPECT_EQ(suggest_values({"xa", "a1"}, "a", 3), (Strings{"a1", "xa"}));
}

TEST(ValueSuggestions, CaseIsFoldedBeyondAscii) {
    EXPECT_EQ(quennet::fold_case("ÉCLAIR Ökö"), "éclair ökö");
    EXPECT_EQ(quennet::fold_case("РОК Ёж"), "рок ёж");
    EXPECT_EQ(quennet::fold_case("ΣΟΦΙΑ"), "σοφια");
    EXPECT_EQ(suggest_values({"Música", "Éclair"}, "éc"), (Strings{"Éclair"}));
}

}  // namespace
