// The query language: precedence, quoting, missing versus empty fields, case rules, title-formatting
// left sides, malformed queries, and the SDK's search filter.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/engine/locked_tracks.h"
#include "player/engine/query/Query.h"
#include "player/engine/query/SearchFilter.h"
#include "player/engine/query/SearchFilterFactory.h"
#include "sdk/core_api.h"
#include "sdk/metadb.h"
#include "sdk/query_text.h"

namespace {

using namespace sonavel;
using player::query::ParseError;
using player::query::Query;

file_info_impl record(std::vector<std::pair<const char*, const char*>> fields) {
    file_info_impl info;
    for (auto [name, value] : fields) info.meta_add(name, value);
    return info;
}

bool matches(const char* query, const file_info& info, const char* path = "C:\\Music\\A\\01 Song.flac") {
    ParseError error;
    std::optional<Query> compiled = Query::try_compile(query, error);
    if (!compiled) {
        ADD_FAILURE() << "invalid: " << query << " (" << error.message << " at " << error.offset << ")";
        return false;
    }
    return compiled->matches(info, path);
}

const file_info_impl rock = record({{"GENRE", "Rock"}, {"ARTIST", "A"}, {"ALBUM", "B1"}, {"TITLE", "One"}});
const file_info_impl empty_genre = record({{"GENRE", ""}, {"ARTIST", "A"}});
const file_info_impl no_genre = record({{"ARTIST", "A"}});

// ---- Precedence

TEST(QueryPrecedence, AndBindsTighterThanOr) {
    // a OR (b AND c), not (a OR b) AND c.
    const char* query = "ARTIST IS A OR GENRE IS Jazz AND TITLE IS Two";
    EXPECT_TRUE(matches(query, rock));
    EXPECT_FALSE(matches(query, record({{"GENRE", "Jazz"}, {"TITLE", "One"}})));
    EXPECT_TRUE(matches(query, record({{"GENRE", "Jazz"}, {"TITLE", "Two"}})));
    EXPECT_FALSE(matches("(ARTIST IS A OR GENRE IS Jazz) AND TITLE IS Two", rock));
}

TEST(QueryPrecedence, NotBindsTighterThanAnd) {
    // (NOT a) AND b, not NOT (a AND b).
    EXPECT_FALSE(matches("NOT GENRE IS Rock AND ARTIST IS Z", rock));
    EXPECT_TRUE(matches("NOT (GENRE IS Rock AND ARTIST IS Z)", rock));
    EXPECT_TRUE(matches("NOT GENRE IS Jazz AND ARTIST IS A", rock));
    EXPECT_TRUE(matches("NOT NOT GENRE IS Rock", rock));
    EXPECT_FALSE(matches("NOT GENRE IS Rock OR ARTIST IS Z", rock));
}

TEST(QueryPrecedence, LongChainsAndNestedParentheses) {
    EXPECT_TRUE(matches("((GENRE IS Rock)) AND ((ARTIST IS A) AND (ALBUM IS B1 OR ALBUM IS B2))", rock));
    std::string chain = "TITLE IS One";
    for (int i = 0; i < 2000; ++i) chain += " AND GENRE IS Rock";
    EXPECT_TRUE(matches(chain.c_str(), rock));
    EXPECT_FALSE(matches((chain + " AND GENRE IS Pop").c_str(), rock));
}

// ---- Quoting and tokens

TEST(QueryQuoting, QuotedTextsKeepSpacesAndKeywords) {
    file_info_impl info = record({{"ALBUM ARTIST", "The And Or"}, {"MOOD", "NOT"}});
    EXPECT_TRUE(matches("\"ALBUM ARTIST\" IS \"The And Or\"", info));
    EXPECT_TRUE(matches("MOOD IS \"not\"", info));
    EXPECT_TRUE(matches("\"MOOD\" IS \"NOT\"", info));
}

TEST(QueryQuoting, ParenthesesAndQuotesEndBareWords) {
    EXPECT_TRUE(matches("(GENRE IS\"Rock\")", rock));
    EXPECT_TRUE(matches("(GENRE IS Rock)AND(ARTIST IS A)", rock));
    EXPECT_TRUE(matches("\tGENRE\nIS\r\nRock ", rock));
}

TEST(QueryQuoting, BareWordsMatchWholeValuesOnly) {
    EXPECT_FALSE(matches("GENRE IS Roc", rock));
    EXPECT_FALSE(matches("GENRE IS \"Rock \"", rock));
    EXPECT_TRUE(matches("GENRE HAS oc", rock));
}

TEST(QueryQuoting, TwoQuotesInsideAQuotedTextStandForOne) {
    const file_info_impl quoted = record({{"GENRE", "Rock \"n\" Roll"}, {"MO\"OD", "\""}, {"TITLE", ""}});
    EXPECT_TRUE(matches("GENRE IS \"Rock \"\"n\"\" Roll\"", quoted));
    EXPECT_TRUE(matches("GENRE HAS \"\"\"n\"\"\"", quoted));
    EXPECT_FALSE(matches("GENRE IS \"Rock n Roll\"", quoted));
    EXPECT_TRUE(matches("\"MO\"\"OD\" IS \"\"\"\"", quoted));
    // Two quotes alone are still the empty text, followed by whatever comes.
    EXPECT_TRUE(matches("TITLE IS \"\" AND GENRE PRESENT", quoted));
    EXPECT_TRUE(matches("\"%genre%\" IS \"Rock \"\"n\"\" Roll\"", quoted));
}

TEST(QueryQuoting, AnEscapedTextCannotChangeTheQuerysMeaning) {
    // The value of a field, quoted with its quotes doubled: the whole text is one value to compare.
    const char* value = "x\" OR GENRE PRESENT OR ARTIST IS \"x";
    const file_info_impl tricky = record({{"GENRE", value}});
    const std::string query = std::string("GENRE IS ") + sonavel::query_quoted(value);
    EXPECT_TRUE(matches(query.c_str(), tricky));
    EXPECT_FALSE(matches(query.c_str(), rock));
    EXPECT_FALSE(matches(query.c_str(), empty_genre));
    EXPECT_EQ(sonavel::query_quoted(""), "\"\"");
    EXPECT_EQ(sonavel::query_quoted("a\"\"b"), "\"a\"\"\"\"b\"");
}

// ---- Missing versus empty

TEST(QueryMissingVersusEmpty, EmptyValueIsPresentAndEqualsEmptyText) {
    EXPECT_TRUE(matches("GENRE IS \"\"", empty_genre));
    EXPECT_TRUE(matches("GENRE PRESENT", empty_genre));
    EXPECT_FALSE(matches("GENRE MISSING", empty_genre));
    EXPECT_TRUE(matches("GENRE HAS \"\"", empty_genre));
}

TEST(QueryMissingVersusEmpty, MissingFieldEqualsNothing) {
    EXPECT_FALSE(matches("GENRE IS \"\"", no_genre));
    EXPECT_FALSE(matches("GENRE HAS \"\"", no_genre));
    EXPECT_TRUE(matches("GENRE MISSING", no_genre));
    EXPECT_FALSE(matches("GENRE PRESENT", no_genre));
    EXPECT_TRUE(matches("NOT GENRE IS Rock", no_genre));
}

TEST(QueryMissingVersusEmpty, AnyOfSeveralValuesCounts) {
    file_info_impl info = record({{"GENRE", "Pop"}, {"GENRE", ""}, {"GENRE", "Rock"}});
    EXPECT_TRUE(matches("GENRE IS rock", info));
    EXPECT_TRUE(matches("GENRE IS \"\"", info));
    EXPECT_TRUE(matches("GENRE IS pop", info));
    EXPECT_FALSE(matches("GENRE IS \"Pop, Rock\"", info));
    EXPECT_TRUE(matches("GENRE HAS ck", info));
}

// ---- Case rules

TEST(QueryCase, KeywordsAndFieldNamesIgnoreCase) {
    EXPECT_TRUE(matches("genre is Rock and artist Is A", rock));
    EXPECT_TRUE(matches("not Genre mIsSiNg", rock));
    EXPECT_TRUE(matches("GeNrE present Or x has y", rock));
    EXPECT_TRUE(matches("\"genre\" IS rock", rock));
}

TEST(QueryCase, ValuesIgnoreCaseIncludingNonAscii) {
    file_info_impl info = record({{"TITLE", "Ärger über Öl"}});
    EXPECT_TRUE(matches("TITLE IS \"ärger ÜBER öl\"", info));
    EXPECT_TRUE(matches("TITLE HAS ÜBER", info));
    EXPECT_TRUE(matches("TITLE HAS \"r ü\"", info));
    EXPECT_FALSE(matches("TITLE IS \"Arger uber Ol\"", info));
    EXPECT_FALSE(matches("TITLE HAS uber", info));
    EXPECT_TRUE(matches("GENRE IS ROCK", rock));
}

// ---- Title-formatting left sides

TEST(QueryScripts, FormattedTextIsOneValue) {
    EXPECT_TRUE(matches("%album% IS b1", rock));
    EXPECT_TRUE(matches("\"%artist% - %title%\" IS \"a - one\"", rock));
    EXPECT_TRUE(matches("\"$if2(%album artist%,%artist%)\" IS A", rock));
    EXPECT_TRUE(matches("\"%artist%\" IS \"A, B\"", record({{"ARTIST", "A"}, {"ARTIST", "B"}})));
    EXPECT_TRUE(matches("\"%composer%\" IS \"?\"", rock));
    EXPECT_TRUE(matches("%filename% HAS song", rock, "C:\\Music\\A\\01 Song.flac"));
    EXPECT_TRUE(matches("%filename_ext% IS 42", rock, "mem://42"));
}

TEST(QueryScripts, MissingAndPresentFollowTheScriptTruthValue) {
    EXPECT_TRUE(matches("\"%composer%\" MISSING", rock));
    EXPECT_FALSE(matches("\"%album%\" MISSING", rock));
    EXPECT_TRUE(matches("\"%album%\" PRESENT", rock));
    // Unlike GENRE PRESENT: an empty value found nothing.
    EXPECT_TRUE(matches("\"%genre%\" MISSING", empty_genre));
}

// ---- The two queries users write most

TEST(QueryExamples, GenreWithArtistOrAlbum) {
    const char* query = "GENRE IS \"Rock\" AND (ARTIST IS \"A\" OR ALBUM IS \"B1\")";
    EXPECT_TRUE(matches(query, rock));
    EXPECT_TRUE(matches(query, record({{"GENRE", "rock"}, {"ARTIST", "Z"}, {"ALBUM", "B1"}})));
    EXPECT_TRUE(matches(query, record({{"GENRE", "Pop"}, {"GENRE", "Rock"}, {"ARTIST", "A"}})));
    EXPECT_FALSE(matches(query, record({{"GENRE", "Rock"}, {"ARTIST", "Z"}, {"ALBUM", "B2"}})));
    EXPECT_FALSE(matches(query, record({{"GENRE", "Pop"}, {"ARTIST", "A"}, {"ALBUM", "B1"}})));
    EXPECT_FALSE(matches(query, record({{"ARTIST", "A"}, {"ALBUM", "B1"}})));
}

TEST(QueryExamples, AlbumWithNonEmptyGenre) {
    const char* query = "\"%album%\" IS \"X\" AND NOT \"GENRE\" IS \"\" AND NOT \"GENRE\" MISSING";
    EXPECT_TRUE(matches(query, record({{"ALBUM", "x"}, {"GENRE", "Rock"}})));
    // One empty value among others is enough for GENRE IS "".
    EXPECT_FALSE(matches(query, record({{"ALBUM", "X"}, {"GENRE", ""}, {"GENRE", "Rock"}})));
    EXPECT_FALSE(matches(query, record({{"ALBUM", "X"}, {"GENRE", ""}})));
    EXPECT_FALSE(matches(query, record({{"ALBUM", "X"}})));
    EXPECT_FALSE(matches(query, record({{"ALBUM", "Y"}, {"GENRE", "Rock"}})));
    EXPECT_FALSE(matches(query, record({{"GENRE", "Rock"}})));
}

// ---- Malformed queries

TEST(QueryMalformed, EachRaisesTheHostDataErrorAndNamesWhere) {
    const std::pair<const char*, std::size_t> cases[] = {
        {"", 0},                               // empty
        {"   ", 3},
        {"(GENRE IS Rock", 0},                 // unbalanced parentheses
        {"GENRE IS Rock)", 13},
        {"()", 1},
        {"GENRE IS", 8},                       // missing operand
        {"IS Rock", 0},
        {"GENRE IS Rock AND", 17},
        {"OR GENRE IS Rock", 0},
        {"NOT", 3},
        {"GENRE IS AND", 9},
        {"GENRE EQUALS Rock", 6},              // unknown operator
        {"GENRE", 5},
        {"GENRE Rock", 6},
        {"GENRE IS Rock Pop", 14},             // trailing tokens
        {"GENRE MISSING Rock", 14},
        {"GENRE IS Rock (ARTIST IS A)", 14},
        {"GENRE IS \"Rock", 9},                // unterminated quote
        {"\"GENRE IS Rock", 0},
        {"GENRE IS \"Rock\"\"", 9},         // a doubled quote is no closing quote

        {"\"$nosuch(x)\" IS y", 0},            // left side that does not compile
        {"%album IS x", 0},
    };
    auto factory = service_impl_t<player::SearchFilterFactory>::create();
    for (auto [query, offset] : cases) {
        SCOPED_TRACE(query);
        ParseError error;
        EXPECT_FALSE(Query::try_compile(query, error).has_value());
        EXPECT_EQ(error.offset, offset) << error.message;
        try {
            factory->create(query);
            ADD_FAILURE() << "no error";
        } catch (const exception_io_data& e) {
            EXPECT_STREQ(e.what(), exception_io_data().what());
        }
        EXPECT_THROW(Query::compile(query), exception_io_data);
    }
    EXPECT_THROW(factory->create(nullptr), exception_io_data);
}

TEST(QueryMalformed, ExcessiveNestingIsRefused) {
    EXPECT_THROW(Query::compile(std::string(5000, '(') + "A IS b" + std::string(5000, ')')), exception_io_data);
    std::string nots;
    for (int i = 0; i < 5000; ++i) nots += "NOT ";
    EXPECT_THROW(Query::compile(nots + "A IS b"), exception_io_data);
}

// ---- The SDK's search filter, with a host for the database read lock

using locked_tracks::lock_depth;
using locked_tracks::track;

class QuerySearchFilter : public locked_tracks::WithLockedTracks {};

TEST_F(QuerySearchFilter, FilterKeepsMatchesInOrderAndDropsTracksWithoutRecord) {
    metadb_handle_list tracks = {
        track("1", record({{"GENRE", "Rock"}})), track("2", record({{"GENRE", "Pop"}})), track("3"),
        track("4", record({{"GENRE", "rock"}})), metadb_handle_ptr(),                    track("5", record({})),
    };
    service_ptr_t<search_filter> filter = service_impl_t<player::SearchFilterFactory>::create()->create("GENRE IS rock OR GENRE MISSING");
    filter->filter(tracks);
    ASSERT_EQ(tracks.size(), 3u);
    EXPECT_STREQ(tracks[0]->get_path(), "1");
    EXPECT_STREQ(tracks[1]->get_path(), "4");
    EXPECT_STREQ(tracks[2]->get_path(), "5");
}

TEST_F(QuerySearchFilter, TestUsesTheGivenRecordAndTheTrackLocation) {
    service_ptr_t<search_filter> filter = service_impl_t<player::SearchFilterFactory>::create()->create("%filename% IS song AND GENRE IS x");
    metadb_handle_ptr song = track("C:\\m\\Song.mp3", record({{"GENRE", "other"}}));
    EXPECT_TRUE(filter->test(song, record({{"GENRE", "X"}})));
    EXPECT_FALSE(filter->test(song, record({{"GENRE", "Y"}})));
    EXPECT_FALSE(filter->test(track("C:\\m\\Other.mp3"), record({{"GENRE", "X"}})));
    EXPECT_FALSE(filter->test(metadb_handle_ptr(), record({{"GENRE", "X"}})));
}

}  // namespace
