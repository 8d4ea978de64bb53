// UTF-8 comparison without regard to case, prefix matching, the platform's locale comparison and the
// UTF-8/UTF-16 conversions.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "sdk/utf8.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using namespace sonavel;

int sign(int v) { return (v > 0) - (v < 0); }

// Both directions, so a comparison that only looks one way is caught.
void expect_order(const char* lower, const char* higher) {
    EXPECT_LT(stricmp_utf8(lower, higher), 0) << lower << " < " << higher;
    EXPECT_GT(stricmp_utf8(higher, lower), 0) << higher << " > " << lower;
}

TEST(Utf8CaseInsensitive, LettersBeyondAsciiMatchTheirOtherCase) {
    struct pair {
        const char* upper;
        const char* lower;
    };
    const pair pairs[] = {
        {"\xC3\x84", "\xC3\xA4"},  // A with diaeresis
        {"\xC3\x89", "\xC3\xA9"},  // E with acute
        {"\xD0\x94", "\xD0\xB4"},  // Cyrillic De
        {"\xCE\xA3", "\xCF\x83"},  // Greek Sigma
    };
    for (const pair& p : pairs) {
        EXPECT_EQ(stricmp_utf8(p.upper, p.lower), 0) << p.upper << " / " << p.lower;
        EXPECT_EQ(stricmp_utf8(p.lower, p.upper), 0) << p.lower << " / " << p.upper;
        EXPECT_EQ(stricmp_utf8(p.upper, p.upper), 0);
    }
    EXPECT_EQ(stricmp_utf8("\xC3\x84RGER \xD0\x94OM", "\xC3\xA4rger \xD0\xB4om"), 0);
}

TEST(Utf8CaseInsensitive, DifferentLettersStayDifferent) {
    EXPECT_NE(stricmp_utf8("\xC3\x84", "\xC3\x96"), 0);  // A and O with diaeresis
    EXPECT_NE(stricmp_utf8("\xC3\xA4", "a"), 0);
    EXPECT_NE(stricmp_utf8("\xD0\x94", "\xD0\x95"), 0);
    EXPECT_NE(stricmp_utf8("abc", "abd"), 0);
}

TEST(Utf8CaseInsensitive, OrdersIgnoringCase) {
    expect_order("a", "B");
    expect_order("A", "b");
    expect_order("abc", "ABD");
    // A shorter text sorts before the texts it starts.
    expect_order("ab", "ABC");
    expect_order("", "a");
    EXPECT_EQ(stricmp_utf8("", ""), 0);
    // Code point order of the upper-cased letters.
    expect_order("z", "\xC3\xA4");
    expect_order("\xC3\xA4", "\xD0\xB4");
}

TEST(Utf8CaseInsensitive, SizedFormReadsOnlyItsLength) {
    EXPECT_EQ(stricmp_utf8_ex(std::string_view("abcdef", 3), "ABC"), 0);
    EXPECT_LT(stricmp_utf8_ex(std::string_view("abcdef", 2), "ABC"), 0);
    EXPECT_EQ(stricmp_utf8_ex(std::string_view("a\0b", 3), std::string_view("A\0B", 3)), 0);
    EXPECT_GT(stricmp_utf8_ex(std::string_view("a\0c", 3), std::string_view("A\0B", 3)), 0);

    // A sequence cut by the length is read no further (a heap block of exactly its size lets the address
    // sanitizer see a read past it).
    std::vector<char> cut{'x', '\xC3'};
    std::vector<char> whole{'X', '\xC3', '\xA4'};
    EXPECT_NE(stricmp_utf8_ex(std::string_view(cut.data(), cut.size()), std::string_view(whole.data(), whole.size())), 0);
    EXPECT_EQ(stricmp_utf8_ex(std::string_view(cut.data(), cut.size()), std::string_view(cut.data(), cut.size())), 0);
}

TEST(Utf8PrefixMatch, TextStartingWithThePrefixIgnoringCaseMatches) {
    EXPECT_EQ(stricmp_utf8_partial("Artist", "art"), 0);
    EXPECT_EQ(stricmp_utf8_partial("ARTIST", "Artist"), 0);
    EXPECT_EQ(stricmp_utf8_partial("\xC3\x84rger", "\xC3\xA4r"), 0);
    EXPECT_EQ(stricmp_utf8_partial("\xD0\x94\xD0\xBE\xD0\xBC", "\xD0\xB4"), 0);
    EXPECT_EQ(stricmp_utf8_partial("anything", ""), 0);
    EXPECT_EQ(stricmp_utf8_partial("", ""), 0);
}

TEST(Utf8PrefixMatch, TextShorterThanThePrefixOrDifferingDoesNot) {
    EXPECT_LT(stricmp_utf8_partial("ar", "artist"), 0);
    EXPECT_LT(stricmp_utf8_partial("", "a"), 0);
    EXPECT_NE(stricmp_utf8_partial("\xC3\xA4", "\xC3\x84r"), 0);
    EXPECT_LT(stricmp_utf8_partial("album", "ART"), 0);
    EXPECT_GT(stricmp_utf8_partial("title", "ART"), 0);
    // The prefix rule is one-way: the full comparison still tells them apart.
    EXPECT_NE(stricmp_utf8("Artist", "art"), 0);
}

TEST(Utf8InvalidBytes, CompareByByteValueWithoutCrashing) {
    const char* invalid[] = {
        "\xFF",              // never valid
        "\xC3",              // lead byte at the end
        "\xC3z",             // lead byte without its continuation
        "\x80",              // lone continuation
        "\xC0\x80",          // overlong zero
        "\xED\xA0\x80",      // encoded surrogate
        "\xF4\x90\x80\x80",  // above U+10FFFF
        "\xE4",              // a lone byte that is also a Latin-1 letter
    };
    for (const char* a : invalid) {
        EXPECT_EQ(stricmp_utf8(a, a), 0) << "self-comparison of an invalid text";
        for (const char* b : invalid) {
            EXPECT_EQ(sign(stricmp_utf8(a, b)), -sign(stricmp_utf8(b, a)));
        }
        EXPECT_EQ(stricmp_utf8_partial(a, a), 0);
    }
    expect_order("\xFE", "\xFF");
    expect_order("\x80", "\xC3");
    // Two different bytes never become equal through case rules meant for code points.
    EXPECT_NE(stricmp_utf8("\xE4", "\xC4"), 0);
    EXPECT_GT(stricmp_utf8("\xE4", "\xC4"), 0);
    // Nor does an invalid byte equal the letter whose code point it shares.
    EXPECT_NE(stricmp_utf8("\xE4", "\xC3\xA4"), 0);
    EXPECT_NE(stricmp_utf8("\xE4", "\xC3\x84"), 0);
    // Valid text around an invalid byte still compares without regard to case.
    EXPECT_EQ(stricmp_utf8("ab\xFF" "cd", "AB\xFF" "CD"), 0);
}

TEST(Utf8Conversion, RoundTripsThroughUtf16) {
    const std::string text = "a\xC3\x84\xD0\x94\xE2\x82\xAC\xF0\x9F\x98\x80z";  // a, A-umlaut, De, euro, emoji, z
    std::u16string wide = utf8_to_utf16(text);
    EXPECT_EQ(wide, (std::u16string{u'a', 0x00C4, 0x0414, 0x20AC, 0xD83D, 0xDE00, u'z'}));
    EXPECT_EQ(utf16_to_utf8(wide), text);
    EXPECT_EQ(utf8_to_utf16(""), u"");
    EXPECT_EQ(utf16_to_utf8(u""), "");
}

TEST(Utf8Conversion, EmojiBecomesASurrogatePair) {
    std::u16string wide = utf8_to_utf16("\xF0\x9F\x98\x80");
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[0], 0xD83D);
    EXPECT_EQ(wide[1], 0xDE00);
    // The highest code point too.
    EXPECT_EQ(utf8_to_utf16("\xF4\x8F\xBF\xBF"), (std::u16string{0xDBFF, 0xDFFF}));
    EXPECT_EQ(utf16_to_utf8(std::u16string{0xDBFF, 0xDFFF}), "\xF4\x8F\xBF\xBF");
}

TEST(Utf8Conversion, UnpairedSurrogatesBecomeTheReplacementCharacter) {
    EXPECT_EQ(utf16_to_utf8(std::u16string{u'a', 0xD83D}), "a\xEF\xBF\xBD");
    EXPECT_EQ(utf16_to_utf8(std::u16string{0xDE00, u'b'}), "\xEF\xBF\xBD" "b");
    EXPECT_EQ(utf16_to_utf8(std::u16string{0xD83D, u'b'}), "\xEF\xBF\xBD" "b");
}

TEST(Utf8Decode, ReportsLengthAndCodePoint) {
    char32_t c = 0;
    const std::string emoji = "\xF0\x9F\x98\x80";
    EXPECT_EQ(utf8_decode_char(emoji.data(), emoji.data() + emoji.size(), c), 4u);
    EXPECT_EQ(c, char32_t(0x1F600));
    // Cut by `end`: one invalid byte.
    EXPECT_EQ(utf8_decode_char(emoji.data(), emoji.data() + 2, c), 1u);
    EXPECT_EQ(c, char32_t(0xF0));
}

TEST(Utf8LocaleCompare, AnswersOneTwoOrThree) {
    EXPECT_EQ(uCompareString("abc", "abc"), compare_equal);
    EXPECT_EQ(compare_equal, 2);
    EXPECT_EQ(uCompareString("\xC3\x84pfel", "\xC3\x84pfel"), 2);
    EXPECT_EQ(uCompareString("", ""), 2);
    EXPECT_EQ(uCompareString("abc", "abd"), 1);
    EXPECT_EQ(uCompareString("abd", "abc"), 3);
    EXPECT_EQ(uCompareString("ab", "abc"), 1);
    EXPECT_EQ(uCompareString("abc", "ab"), 3);
}

#ifdef _WIN32
TEST(Utf8LocaleCompare, WindowsFlagsAndLinguisticOrder) {
    // Flag 0 is case-sensitive; NORM_IGNORECASE makes the cases equal.
    EXPECT_NE(uCompareString("abc", "ABC"), 2);
    EXPECT_EQ(uCompareString("abc", "ABC", NORM_IGNORECASE), 2);
    EXPECT_EQ(uCompareString("\xC3\xA4", "\xC3\x84", NORM_IGNORECASE), 2);
    // Linguistic, not code point, order: lower-case a sorts before upper-case B.
    EXPECT_EQ(uCompareString("a", "B"), 1);
}

TEST(Utf8Conversion, WidePathsMatchTheSystemConversion) {
    const std::string text = "t\xC3\xAB" "st-\xD0\x94-\xF0\x9F\x98\x80";
    wchar_t system[64] = {};
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.c_str(), int(text.size()), system, 64);
    ASSERT_GT(n, 0);
    EXPECT_EQ(utf8_to_wide(text), std::wstring(system, std::size_t(n)));
    EXPECT_EQ(wide_to_utf8(std::wstring(system, std::size_t(n))), text);
}

TEST(Utf8CaseInsensitive, WindowsUpperCasingCoversTheSameLetters) {
    EXPECT_EQ(char_upper(0xE4), char32_t(0xC4));
    EXPECT_EQ(char_upper(0x0434), char32_t(0x0414));
    EXPECT_EQ(char_upper(0x03C3), char32_t(0x03A3));
}
#else
TEST(Utf8LocaleCompare, NativelyOrdersByCodePoint) {
    // Without Windows there is no linguistic order: upper-case ASCII precedes lower-case.
    EXPECT_EQ(uCompareString("a", "B"), 3);
    EXPECT_EQ(uCompareString("B", "a"), 1);
    EXPECT_EQ(uCompareString("abc", "ABC"), 3);
    EXPECT_EQ(uCompareString("z", "\xC3\xA4"), 1);
}
#endif

}  // namespace
