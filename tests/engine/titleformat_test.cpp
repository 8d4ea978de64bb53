// Title formatting: fields and sections, each function family, location fields, scripts that must not
// compile, the SDK objects, and the logical sort.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/engine/locked_tracks.h"
#include "player/engine/titleformat/Script.h"
#include "player/engine/titleformat/TitleformatCompiler.h"
#include "player/engine/titleformat/TitleformatObject.h"
#include "player/engine/titleformat/logical_compare.h"
#include "sdk/core_api.h"
#include "sdk/metadb.h"

namespace {

using namespace sonavel;
using player::titleformat::CompileError;
using player::titleformat::Script;

file_info_impl record(std::vector<std::pair<const char*, const char*>> fields) {
    file_info_impl info;
    for (auto [name, value] : fields) info.meta_add(name, value);
    return info;
}

std::string format(const char* script, const file_info& info, const char* path = "C:\\Music\\A\\01 Song.flac") {
    CompileError error;
    std::optional<Script> compiled = Script::compile(script, &error);
    if (!compiled) {
        ADD_FAILURE() << "does not compile: " << script << " (" << error.message << " at " << error.offset << ")";
        return {};
    }
    std::string out = "stale";
    compiled->format(info, path, out);
    return out;
}

const file_info_impl song = record({{"ARTIST", "Ann"},
                                    {"artist", "Bob"},
                                    {"TITLE", "Song"},
                                    {"ALBUM", "Blue"},
                                    {"GENRE", ""},
                                    {"TRACKNUMBER", "3/12"},
                                    {"NAME", "Ärger über"}});

// ---- A host for the objects that read records under the database read lock.

using locked_tracks::lock_depth;
using locked_tracks::track;

class TitleFormatWithHost : public locked_tracks::WithLockedTracks {};

// ---- Fields and literal text

TEST(TitleFormatFields, FieldJoinsAllValuesAndIgnoresNameCase) {
    EXPECT_EQ(format("%artist%", song), "Ann, Bob");
    EXPECT_EQ(format("%ArTiSt% - %Title%", song), "Ann, Bob - Song");
}

TEST(TitleFormatFields, MissingFieldGivesQuestionMarkAndEmptyValueGivesNothing) {
    EXPECT_EQ(format("<%composer%>", song), "<?>");
    EXPECT_EQ(format("<%genre%>", song), "<>");
    EXPECT_EQ(format("%title%", file_info_impl()), "?");
}

TEST(TitleFormatFields, QuotedTextKeepsSyntaxCharactersLiteral) {
    EXPECT_EQ(format("'%title% $if( [x] , )'", song), "%title% $if( [x] , )");
    EXPECT_EQ(format("it''s %title%", song), "it's Song");
    EXPECT_EQ(format("'it''s'", song), "it's");
    EXPECT_EQ(format("''''", song), "''");
    EXPECT_EQ(format("''", song), "'");
}

TEST(TitleFormatFields, BalancedParenthesesOutsideCallsAreText) {
    EXPECT_EQ(format("%title% (%album%)", song), "Song (Blue)");
    EXPECT_EQ(format("((a, b))", song), "((a, b))");
    EXPECT_EQ(format("$upper((a, b))", song), "(A, B)");
}

TEST(TitleFormatFields, WhitespaceIsTextEverywhere) {
    EXPECT_EQ(format("$if(%title%, yes , no)", song), " yes ");
    EXPECT_EQ(format("  %title%  ", song), "  Song  ");
}

// ---- Sections

TEST(TitleFormatSections, ShownWhenAFieldInsideIsFoundAndNonEmpty) {
    EXPECT_EQ(format("[%album% - ]%title%", song), "Blue - Song");
    EXPECT_EQ(format("[%composer% - ]%title%", song), "Song");
    EXPECT_EQ(format("[%genre% - ]%title%", song), "Song");
    EXPECT_EQ(format("[literal only]", song), "");
    EXPECT_EQ(format("[]", song), "");
}

TEST(TitleFormatSections, AnyMissingFieldHidesTheSection) {
    EXPECT_EQ(format("[%album% %composer%]", song), "");
    EXPECT_EQ(format("[%album% $upper(%composer%)]", song), "");
    EXPECT_EQ(format("[%album% %genre%]", song), "Blue ");
}

TEST(TitleFormatSections, NestedSectionsDecideInnermostFirst) {
    EXPECT_EQ(format("[a[%album%]b]", song), "aBlueb");
    EXPECT_EQ(format("[a[%composer%]b]", song), "");
    EXPECT_EQ(format("[%title% [%composer%]]", song), "Song ");
    EXPECT_EQ(format("[[[%title%]]]", song), "Song");
}

TEST(TitleFormatSections, FunctionsCountByTheirTruthValue) {
    EXPECT_EQ(format("[$if2(%composer%,%album%)!]", song), "Blue!");
    EXPECT_EQ(format("[$if2(%composer%,%genre%)!]", song), "");
    EXPECT_EQ(format("[$if(%composer%,,x)]", song), "");
    EXPECT_EQ(format("[$not(%composer%)!]", song), "!");
    EXPECT_EQ(format("$if([%composer%],yes,no)", song), "no");
}

TEST(TitleFormatSections, ScriptTruthValueIsReturned) {
    std::string out;
    EXPECT_TRUE(Script::compile("x%title%")->format(song, nullptr, out));
    EXPECT_FALSE(Script::compile("x%composer%")->format(song, nullptr, out));
    EXPECT_FALSE(Script::compile("x%genre%")->format(song, nullptr, out));
    EXPECT_FALSE(Script::compile("literal")->format(song, nullptr, out));
}

// ---- Functions

TEST(TitleFormatFunctions, IfFamilyChoosesByTruthValue) {
    EXPECT_EQ(format("$if(%title%,yes,no)", song), "yes");
    EXPECT_EQ(format("$if(%composer%,yes,no)", song), "no");
    EXPECT_EQ(format("$if(%genre%,yes,no)", song), "no");
    EXPECT_EQ(format("$if(literal,yes,no)", song), "no");
    EXPECT_EQ(format("$if(%composer%,yes)", song), "");
    EXPECT_EQ(format("$if2(%composer%,%album%)", song), "Blue");
    EXPECT_EQ(format("$if2(%title%,%album%)", song), "Song");
    EXPECT_EQ(format("$if3(%composer%,%genre%,%album%,%title%)", song), "Blue");
    EXPECT_EQ(format("$if3(%composer%,%genre%,none)", song), "none");
}

TEST(TitleFormatFunctions, LogicFunctionsGiveTruthAndNoText) {
    EXPECT_EQ(format("<$and(%title%,%album%)>", song), "<>");
    EXPECT_EQ(format("$if($and(%title%,%album%),y,n)", song), "y");
    EXPECT_EQ(format("$if($and(%title%,%composer%),y,n)", song), "n");
    EXPECT_EQ(format("$if($or(%composer%,%album%),y,n)", song), "y");
    EXPECT_EQ(format("$if($or(%composer%,%genre%),y,n)", song), "n");
    EXPECT_EQ(format("$if($not(%composer%),y,n)", song), "y");
    EXPECT_EQ(format("$if($not(%title%),y,n)", song), "n");
}

TEST(TitleFormatFunctions, ComparisonsOfTextAndNumbers) {
    EXPECT_EQ(format("$if($strcmp(%title%,Song),y,n)", song), "y");
    EXPECT_EQ(format("$if($strcmp(%title%,song),y,n)", song), "n");
    EXPECT_EQ(format("$if($stricmp(%title%,sONG),y,n)", song), "y");
    EXPECT_EQ(format("$if($stricmp(%name%,ÄRGER ÜBER),y,n)", song), "y");
    EXPECT_EQ(format("$if($stricmp(%name%,Arger uber),y,n)", song), "n");
    EXPECT_EQ(format("$if($greater(10,9),y,n)", song), "y");
    EXPECT_EQ(format("$if($greater(9,10),y,n)", song), "n");
    EXPECT_EQ(format("$if($greater(5,5),y,n)", song), "n");
}

TEST(TitleFormatFunctions, CaseFunctionsFollowUnicodeRules) {
    EXPECT_EQ(format("$upper(%name%)", song), "ÄRGER ÜBER");
    EXPECT_EQ(format("$lower(%name%)", song), "ärger über");
    EXPECT_EQ(format("$caps(hELLO wORLD (live) mIx-tApe)", song), "Hello World (Live) Mix-Tape");
    EXPECT_EQ(format("$caps(ärger)", song), "Ärger");
}

TEST(TitleFormatFunctions, LengthFunctionsCountCodePoints) {
    EXPECT_EQ(format("$left(%name%,2)", song), "Är");
    EXPECT_EQ(format("$left(%name%,99)", song), "Ärger über");
    EXPECT_EQ(format("$left(%name%,-1)", song), "");
    EXPECT_EQ(format("$right(%name%,4)", song), "über");
    EXPECT_EQ(format("$right(%name%,99)", song), "Ärger über");
    EXPECT_EQ(format("$len(%name%)", song), "10");
    EXPECT_EQ(format("$pad(%title%,6)|", song), "Song  |");
    EXPECT_EQ(format("$pad(%title%,7,ü-)", song), "Songüüü");
    EXPECT_EQ(format("$pad(%name%,3,x)", song), "Ärger über");
}

TEST(TitleFormatFunctions, EditingFunctions) {
    EXPECT_EQ(format("<$trim(  a b  )>", song), "<a b>");
    EXPECT_EQ(format("<$trim(   )>", song), "<>");
    EXPECT_EQ(format("$replace(a-b-c,-,' / ')", song), "a / b / c");
    EXPECT_EQ(format("$replace(aaa,aa,b)", song), "ba");
    EXPECT_EQ(format("$replace(abc,,x)", song), "abc");
    EXPECT_EQ(format("$repeat(ab,3)", song), "ababab");
    EXPECT_EQ(format("<$repeat(ab,-2)>", song), "<>");
    EXPECT_EQ(format("$len($repeat(x,99999999999))", song), "65536");
    EXPECT_EQ(format("$len($repeat($repeat(ab,99999999999),99999999999))", song), "65536");
}

TEST(TitleFormatFunctions, NumberFunctions) {
    EXPECT_EQ(format("$num(%tracknumber%,2)", song), "03");
    EXPECT_EQ(format("$num(-7,3)", song), "-07");
    EXPECT_EQ(format("$num(12345,2)", song), "12345");
    EXPECT_EQ(format("$num(abc,3)", song), "000");
    EXPECT_EQ(format("$add(1,2,3)", song), "6");
    EXPECT_EQ(format("$sub(10,2,3)", song), "5");
    EXPECT_EQ(format("$mul(-4,5)", song), "-20");
    EXPECT_EQ(format("$div(7,2)", song), "3");
    EXPECT_EQ(format("$div(-7,2)", song), "-3");
    EXPECT_EQ(format("$mod(7,3)", song), "1");
    EXPECT_EQ(format("$div(7,0)|$mod(7,0)", song), "7|7");
    EXPECT_EQ(format("$add(9223372036854775807,1)", song), "-9223372036854775808");
    EXPECT_EQ(format("$div(-9223372036854775808,-1)", song), "-9223372036854775808");
    EXPECT_EQ(format("$add(99999999999999999999,0)", song), "9223372036854775807");
}

TEST(TitleFormatFunctions, NumberFunctionsTruthFollowsArguments) {
    EXPECT_EQ(format("[$num(%tracknumber%,2)]", song), "03");
    EXPECT_EQ(format("[$num(%disc%,2)]", song), "");
    EXPECT_EQ(format("[$add(%tracknumber%,1)]", song), "4");
    EXPECT_EQ(format("[$add(1,1)]", song), "");
    EXPECT_EQ(format("[$add(%tracknumber%,%disc%)]", song), "");
}

TEST(TitleFormatFunctions, MetaReadsFieldsByComputedName) {
    EXPECT_EQ(format("$meta(artist)", song), "Ann, Bob");
    EXPECT_EQ(format("$meta($lower(ARTIST),1)", song), "Bob");
    EXPECT_EQ(format("$meta(artist,2)", song), "?");
    EXPECT_EQ(format("$meta(artist,-1)", song), "?");
    EXPECT_EQ(format("$meta(composer)", song), "?");
    EXPECT_EQ(format("$meta_sep(artist,' & ')", song), "Ann & Bob");
    EXPECT_EQ(format("[$meta(artist,2)]", song), "");
    EXPECT_EQ(format("[$meta(artist,1)]", song), "Bob");
    EXPECT_EQ(format("$meta(path)", record({{"path", "from tags"}})), "from tags");
}

TEST(TitleFormatFunctions, NamesIgnoreCase) { EXPECT_EQ(format("$UPPER(%title%)$If(1,,x)", song), "SONGx"); }

// ---- Fields of the location

TEST(TitleFormatPathFields, WindowsPath) {
    const char* path = "C:\\Music\\A\\01 Song.flac";
    EXPECT_EQ(format("%filename%|%filename_ext%|%ext%|%directoryname%", song, path), "01 Song|01 Song.flac|flac|A");
    EXPECT_EQ(format("%path%", song, path), path);
    EXPECT_EQ(format("%directoryname%", song, "C:\\x.mp3"), "C:");
    EXPECT_EQ(format("%filename%|%ext%", song, "C:\\a.b\\v1.2.mp3"), "v1.2|mp3");
}

TEST(TitleFormatPathFields, MemoryLocationHasNoFolderOrExtension) {
    EXPECT_EQ(format("%filename%|%filename_ext%|%ext%|%directoryname%|%path%", song, "mem://42"), "42|42|||mem://42");
    EXPECT_EQ(format("[.%ext%]", song, "mem://42"), "");
    EXPECT_EQ(format("[.%ext%]", song, "C:\\a.ogg"), ".ogg");
}

TEST(TitleFormatPathFields, SlashPathsAndNoPath) {
    EXPECT_EQ(format("%directoryname%/%filename_ext%", song, "file:///home/u/b/c.mp3"), "b/c.mp3");
    EXPECT_EQ(format("<%path%%filename%>", song, nullptr), "<>");
}

TEST(TitleFormatPathFields, LocationNamesShadowRecordFields) {
    EXPECT_EQ(format("%PATH% %FileName%", record({{"path", "from tags"}, {"filename", "x"}}), "mem://1"), "mem://1 1");
}

// ---- Compilation errors

TEST(TitleFormatCompile, RejectsMalformedScriptsAndNamesWhere) {
    const std::pair<const char*, std::size_t> cases[] = {
        {"[%title%", 0},           // '[' without ']'
        {"a]", 1},                  // ']' without '['
        {"[a]]", 3},
        {"a)", 1},                  // ')' without '('
        {"(a", 0},                  // '(' without ')'
        {"a,b", 1},                 // ',' outside arguments
        {"[a,b]", 2},
        {"'[',']'", 3},              // commas must be quoted too
        {"$if(%a%,[b,c],d)", 10},   // comma inside a section inside an argument
        {"x%title", 1},             // unterminated field
        {"%%", 0},                  // empty field name
        {"'abc", 0},                // unterminated quote
        {"'it''s", 0},
        {"$", 0},                   // no function name
        {"$(x)", 0},
        {"$upper", 0},              // no argument list
        {"$upper x", 0},
        {"$nosuch(x)", 0},          // unknown function
        {"$upper(x", 6},            // unclosed argument list
        {"$upper(x,y)", 0},         // wrong argument counts
        {"$upper()", 0},
        {"$if(a)", 0},
        {"$if(a,b,c,d)", 0},
        {"$if2(a,b,c)", 0},
        {"$num(1)", 0},
        {"$meta()", 0},
        {"$replace(a,b)", 0},
        {"$and()", 0},
        {"$add(1)", 0},
        {"$if(a,b]", 7},            // ']' closing nothing inside an argument
        {"[$if(a,b])", 8},
        {"[(a]", 3},
    };
    for (auto [script, offset] : cases) {
        SCOPED_TRACE(script);
        CompileError error;
        EXPECT_FALSE(Script::compile(script, &error).has_value());
        EXPECT_EQ(error.offset, offset) << error.message;
        EXPECT_FALSE(error.message.empty());
    }
}

TEST(TitleFormatCompile, RefusesExcessiveNesting) {
    std::string deep(5000, '[');
    EXPECT_FALSE(Script::compile(deep + std::string(5000, ']')).has_value());
    std::string calls;
    for (int i = 0; i < 5000; ++i) calls += "$upper(";
    EXPECT_FALSE(Script::compile(calls + "x" + std::string(5000, ')')).has_value());
}

TEST(TitleFormatCompile, AcceptsEmptyAndOrdinaryScripts) {
    for (const char* script : {"", "plain", "$if(,,)", "$if2(,)", "[%a% - ]%b%", "'[,]'", "$upper(('a,b'))"}) {
        SCOPED_TRACE(script);
        EXPECT_TRUE(Script::compile(script).has_value());
    }
}

// ---- The SDK objects

TEST_F(TitleFormatWithHost, CompilerHandsOutObjectsAndEmptiesOnFailure) {
    auto compiler = service_impl_t<player::TitleformatCompiler>::create();
    service_ptr_t<titleformat_object> object;
    ASSERT_TRUE(compiler->compile(object, "%title% [%album%]"));
    ASSERT_TRUE(object.is_valid());
    std::string out;
    object->run(track("mem://1"), &song, out);
    EXPECT_EQ(out, "Song Blue");
    EXPECT_FALSE(compiler->compile(object, "$nosuch()"));
    EXPECT_FALSE(object.is_valid());
    EXPECT_FALSE(compiler->compile(object, nullptr));
}

TEST_F(TitleFormatWithHost, RunWithoutRecordReadsTheTrackUnderTheLock) {
    auto compiler = service_impl_t<player::TitleformatCompiler>::create();
    service_ptr_t<titleformat_object> object;
    ASSERT_TRUE(compiler->compile(object, "%title%/%filename%"));
    std::string out;
    object->run(track("C:\\x\\Tune.mp3", record({{"title", "T"}})), nullptr, out);
    EXPECT_EQ(out, "T/Tune");
    object->run(track("C:\\x\\Lost.mp3"), nullptr, out);
    EXPECT_EQ(out, "?/Lost");
    object->run(metadb_handle_ptr(), nullptr, out);
    EXPECT_EQ(out, "?/");
}

// ---- Logical order

TEST(TitleFormatLogicalCompare, DigitRunsCompareByValueAndCaseIsIgnored) {
    EXPECT_LT(player::natural_compare("Track 2", "track 10"), 0);
    EXPECT_GT(player::natural_compare("track 10", "Track 2"), 0);
    EXPECT_LT(player::natural_compare("a9b", "a10a"), 0);
    EXPECT_LT(player::natural_compare("x 99999999999999999999998", "x 99999999999999999999999"), 0);
    EXPECT_EQ(player::natural_compare("Disc 01", "disc 1"), 0);
    EXPECT_EQ(player::natural_compare("ärger", "ÄRGER"), 0);
    EXPECT_LT(player::natural_compare("abc", "abcd"), 0);
    EXPECT_LT(player::natural_compare("", "a"), 0);
    EXPECT_LT(player::natural_compare("a", "b"), 0);
    EXPECT_LT(player::natural_compare("A", "b"), 0);
    EXPECT_LT(player::natural_compare("a", "B"), 0);
}

TEST(TitleFormatLogicalCompare, PlatformOrderAgreesOnCommonNames) {
    EXPECT_LT(player::logical_compare("Track 2", "track 10"), 0);
    EXPECT_GT(player::logical_compare("b", "A"), 0);
    EXPECT_EQ(player::logical_compare("Same", "same"), 0);
}

TEST_F(TitleFormatWithHost, SortFormatsOnceUnderTheLockAndKeepsTiesInOrder) {
    std::vector<metadb_handle_ptr> tracks = {
        track("mem://1", record({{"title", "track 10"}})), track("mem://2", record({{"title", "Track 2"}})),
        track("mem://3", record({{"title", "TRACK 2"}})),  track("mem://4"),
        track("mem://5", record({{"title", "track 2"}})),  track("mem://6", record({{"title", "a"}})),
    };
    metadb_handle_list list = tracks;
    auto compiler = service_impl_t<player::TitleformatCompiler>::create();
    service_ptr_t<titleformat_object> object;
    ASSERT_TRUE(compiler->compile(object, "%title%"));
    compiler->sort_by_format(list, *object);
    std::vector<std::string> order;
    for (auto& t : list) order.push_back(t->get_path());
    // "?" (no record) sorts before letters.
    EXPECT_EQ(order, (std::vector<std::string>{"mem://4", "mem://6", "mem://2", "mem://3", "mem://5", "mem://1"}));
}

TEST_F(TitleFormatWithHost, SortIsStableAcrossManyEqualTexts) {
    // Enough tracks that an unstable sort would reorder ties.
    metadb_handle_list list;
    const char* titles[] = {"b 10", "B 9", "a"};
    for (int i = 0; i < 300; ++i) {
        list.push_back(track(std::to_string(i), record({{"title", titles[(i * 7) % 3]}})));
    }
    service_ptr_t<titleformat_object> object;
    auto compiler = service_impl_t<player::TitleformatCompiler>::create();
    ASSERT_TRUE(compiler->compile(object, "%title%"));
    compiler->sort_by_format(list, *object);
    std::vector<int> groups, positions;
    for (auto& t : list) {
        int i = std::stoi(t->get_path());
        groups.push_back((i * 7) % 3);
        positions.push_back(i);
    }
    for (std::size_t k = 1; k < list.size(); ++k) {
        int before = groups[k - 1], after = groups[k];
        // Group order: "a" (2), "B 9" (1), "b 10" (0); inside a group, input order.
        ASSERT_TRUE(before == after ? positions[k - 1] < positions[k] : (before == 2 || (before == 1 && after == 0)))
            << "at " << k;
    }
}

class foreign_script : public titleformat_object {
public:
    using interface_t = titleformat_object;
    void run(const metadb_handle_ptr& t, const file_info*, std::string& out) override { out = t->get_path(); }
};

TEST_F(TitleFormatWithHost, SortAcceptsScriptsOfOtherImplementations) {
    metadb_handle_list list = {track("b10"), track("B9"), track("a")};
    service_ptr_t<titleformat_object> object = service_impl_t<foreign_script>::create();
    service_impl_t<player::TitleformatCompiler>::create()->sort_by_format(list, *object);
    EXPECT_STREQ(list[0]->get_path(), "a");
    EXPECT_STREQ(list[1]->get_path(), "B9");
    EXPECT_STREQ(list[2]->get_path(), "b10");
}

}  // namespace
