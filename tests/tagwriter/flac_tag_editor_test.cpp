// The FLAC comment editor, on files built here byte by byte: what changes is the edited field's entries
// and where the comment block goes; every other byte, the audio above all, must come out as it went in.
#include <gtest/gtest.h>
#include <taglib/flacfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/xiphcomment.h>

#include "player/tagwriter/flac/FlacTagEditor.h"
#include "sdk/errors.h"

using namespace player::tagwriter;

namespace {

const std::string audio = "\xFF\xF8\x69\x08 stands for the frames";

std::string le32(std::size_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

std::string comment(const std::vector<std::string>& entries, const std::string& vendor = "test vendor") {
    std::string out = le32(vendor.size()) + vendor + le32(entries.size());
    for (const auto& e : entries) out += le32(e.size()) + e;
    return out;
}

std::string block(int type, const std::string& body, bool last = false) {
    return std::string{char(type | (last ? 0x80 : 0)), char(body.size() >> 16), char(body.size() >> 8), char(body.size())} + body;
}

std::string streaminfo() { return block(0, std::string("\x10\x00\x10\x00\0\0\0\0\0\0\x0A\xC4\x42\xF0", 14) + std::string(20, '\0')); }

std::string flac(const std::string& blocks) { return "fLaC" + blocks + audio; }

struct Parsed {
    std::vector<int> types;
    std::vector<std::string> bodies;
    std::string audio;
    std::vector<std::string> entries;  // of the comment block
};

// Walks the metadata itself and insists that exactly the final block carries the last-block flag.
Parsed parse(const std::string& file, std::size_t start = 0) {
    EXPECT_EQ(file.substr(start, 4), "fLaC");
    Parsed p;
    std::size_t pos = start + 4;
    for (bool last = false; !last;) {
        const auto b = [&](std::size_t i) { return std::size_t(static_cast<unsigned char>(file.at(pos + i))); };
        last = b(0) & 0x80;
        const std::size_t len = b(1) << 16 | b(2) << 8 | b(3);
        p.types.push_back(b(0) & 0x7F);
        p.bodies.push_back(file.substr(pos + 4, len));
        pos += 4 + len;
        EXPECT_TRUE(!last || file.compare(pos, audio.size(), audio) == 0) << "last flag before the end";
    }
    p.audio = file.substr(pos);
    for (std::size_t i = 0; i < p.types.size(); ++i) {
        if (p.types[i] != 4) continue;
        const std::string& c = p.bodies[i];
        auto num = [&](std::size_t at) {
            std::size_t v = 0;
            for (int k = 3; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(c.at(at + k));
            return v;
        };
        std::size_t at = 4 + num(0), count = num(at);
        for (at += 4; count--; at += 4 + num(at)) p.entries.push_back(c.substr(at + 4, num(at)));
    }
    return p;
}

std::string apply(const std::string& file, const ByteEdits& edits) {
    std::string out;
    std::uint64_t pos = 0;
    for (const ByteEdit& e : edits) {
        EXPECT_GE(e.offset, pos) << "edits overlap or are unsorted";
        out += file.substr(pos, e.offset - pos) + e.bytes;
        pos = e.offset + e.length;
    }
    return out + file.substr(pos);
}

std::string edit(const std::string& file, const FieldEdits& edits, std::size_t expected_edits, bool same_size) {
    const ByteEdits out = edit_flac_tags(MemorySource(file), edits);
    EXPECT_EQ(out.size(), expected_edits);
    for (const ByteEdit& e : out) EXPECT_EQ(e.length == e.bytes.size(), same_size);
    return apply(file, out);
}

TagLib::StringList taglib_values(const std::string& file, const char* field) {
    TagLib::ByteVectorStream stream(TagLib::ByteVector(file.data(), static_cast<unsigned>(file.size())));
    TagLib::FLAC::File f(&stream, nullptr, false);
    EXPECT_TRUE(f.isValid());
    return f.xiphComment() ? f.xiphComment()->properties()[field] : TagLib::StringList();
}

const std::string bad_utf8 = "COMMENT=\xC3\x28\xFF";

}  // namespace

TEST(FlacTagEditor, ReplacesFieldWhereItStoodInItsSpellingAndKeepsOtherEntries) {
    const std::string file = flac(streaminfo() + block(4, comment({"TITLE=a", "Genre=Rock", bad_utf8, "GENRE=Pop", "artist=x"})) +
                                  block(1, std::string(100, '\0'), true));
    const std::string out = edit(file, {{"GENRE", {"Jazz", "M\xC3\xBAsica"}}}, 1, true);
    const Parsed p = parse(out);
    EXPECT_EQ(out.size(), file.size());
    EXPECT_EQ(p.types, (std::vector<int>{0, 4, 1}));
    EXPECT_EQ(p.entries, (std::vector<std::string>{"TITLE=a", "Genre=Jazz", "Genre=M\xC3\xBAsica", bad_utf8, "artist=x"}));
    EXPECT_EQ(p.audio, audio);
    const TagLib::StringList genres = taglib_values(out, "GENRE");
    ASSERT_EQ(genres.size(), 2u);
    EXPECT_EQ(genres[0], "Jazz");
    EXPECT_EQ(genres[1], TagLib::String("M\xC3\xBAsica", TagLib::String::UTF8));
}

TEST(FlacTagEditor, AppendsAbsentFieldAndRemovesEmptiedOne) {
    const std::string file = flac(streaminfo() + block(4, comment({"Genre=Rock", "TITLE=t"})) + block(1, std::string(64, '\0'), true));
    const Parsed p = parse(edit(file, {{"GENRE", {}}, {"MOOD", {"Calm"}}}, 1, true));
    EXPECT_EQ(p.entries, (std::vector<std::string>{"TITLE=t", "MOOD=Calm"}));
    EXPECT_EQ(p.types, (std::vector<int>{0, 4, 1}));
}

TEST(FlacTagEditor, NoEditWhenCommentWouldNotChange) {
    const std::string file = flac(streaminfo() + block(4, comment({"Genre=Rock", bad_utf8}) + "tail", true));
    EXPECT_TRUE(edit_flac_tags(MemorySource(file), {{"GENRE", {"Rock"}}, {"MOOD", {}}}).empty());
    EXPECT_TRUE(edit_flac_tags(MemorySource(flac(streaminfo().replace(0, 1, "\x80"))), {{"MOOD", {}}}).empty());
}

TEST(FlacTagEditor, SameSizeCommentNeedsNoPadding) {
    const std::string file = flac(streaminfo() + block(4, comment({"Genre=Rock"}), true));
    EXPECT_EQ(parse(edit(file, {{"GENRE", {"Jazz"}}}, 1, true)).entries, (std::vector<std::string>{"Genre=Jazz"}));
}

TEST(FlacTagEditor, ShrunkCommentLeavesPaddingInItsPlace) {
    const std::string file = flac(streaminfo() + block(4, comment({"GENRE=" + std::string(50, 'x')}), true));
    const Parsed p = parse(edit(file, {{"GENRE", {"Jazz"}}}, 1, true));
    EXPECT_EQ(p.types, (std::vector<int>{0, 4, 1}));
    EXPECT_EQ(p.entries, (std::vector<std::string>{"GENRE=Jazz"}));
}

TEST(FlacTagEditor, RebuildsWhenPaddingWouldBeLeftTooSmallForItsHeader) {
    const std::string file = flac(streaminfo() + block(4, comment({"TITLE=t"})) + block(1, std::string(10, '\0'), true));
    const Parsed p = parse(edit(file, {{"MOOD", {"abc"}}}, 1, false));  // 12 bytes more: 2 left over
    EXPECT_EQ(p.types, (std::vector<int>{0, 4, 1}));
    EXPECT_EQ(p.entries, (std::vector<std::string>{"TITLE=t", "MOOD=abc"}));
}

TEST(FlacTagEditor, GrownCommentMovesIntoPaddingElsewhere) {
    const std::string app = block(2, "ABCDxyz");
    const std::string file = flac(streaminfo() + block(1, std::string(2000, '\0')) + app + block(4, comment({"TITLE=t"}), true));
    const std::string out = edit(file, {{"GENRE", {std::string(500, 'g')}}}, 2, true);
    const Parsed p = parse(out);
    EXPECT_EQ(p.types, (std::vector<int>{0, 4, 1, 2, 1}));
    EXPECT_EQ(p.entries, (std::vector<std::string>{"TITLE=t", "GENRE=" + std::string(500, 'g')}));
    EXPECT_EQ(p.bodies[4], std::string(p.bodies[4].size(), '\0'));
    EXPECT_EQ(out.find(app), file.find(app));
    EXPECT_EQ(p.audio, audio);
}

TEST(FlacTagEditor, FillsLastPaddingAndOldCommentTakesNoLastFlag) {
    const std::string file =
        flac(streaminfo() + block(4, comment({"TITLE=t"})) + block(2, "ABCD") + block(1, std::string(300, '\0'), true));
    const Parsed p = parse(edit(file, {{"GENRE", {"Jazz", "Blues"}}}, 2, true));
    EXPECT_EQ(p.types, (std::vector<int>{0, 1, 2, 4, 1}));
    EXPECT_EQ(p.entries, (std::vector<std::string>{"TITLE=t", "GENRE=Jazz", "GENRE=Blues"}));
}

TEST(FlacTagEditor, RebuildsMetadataWithFreshPaddingWhenNothingFits) {
    const std::string big(64 * 1024, 'v');
    const std::string file = flac(streaminfo() + block(4, comment({"Genre=Rock", bad_utf8})) +
                                  block(1, std::string(10, '\0')) + block(2, "APPL", true));
    const std::string out = edit(file, {{"GENRE", {big, "Pop"}}}, 1, false);
    const Parsed p = parse(out);
    EXPECT_EQ(p.types, (std::vector<int>{0, 4, 2, 1}));
    EXPECT_EQ(p.bodies[2], "APPL");
    EXPECT_GE(p.bodies[3].size(), 4096u);
    EXPECT_EQ(p.entries, (std::vector<std::string>{"Genre=" + big, "Genre=Pop", bad_utf8}));
    EXPECT_EQ(p.audio, audio);
    const TagLib::StringList genres = taglib_values(out, "GENRE");
    ASSERT_EQ(genres.size(), 2u);
    EXPECT_EQ(genres[0].size(), big.size());
}

TEST(FlacTagEditor, AddsCommentAfterStreaminfoWhenFileHasNone) {
    const std::string file = flac(streaminfo() + block(3, std::string(18, 's'), true));
    const Parsed p = parse(edit(file, {{"GENRE", {"Jazz"}}}, 1, false));
    EXPECT_EQ(p.types, (std::vector<int>{0, 4, 3, 1}));
    EXPECT_EQ(p.entries, (std::vector<std::string>{"GENRE=Jazz"}));
}

TEST(FlacTagEditor, SkipsLeadingId3v2Tag) {
    const std::string id3 = std::string("ID3\x04\x00\x10\x00\x00\x01\x02", 10) + std::string(130, 'i') + std::string(10, 'f');
    const std::string file = id3 + flac(streaminfo() + block(4, comment({"GENRE=Rock"})) + block(1, std::string(40, '\0'), true));
    const ByteEdits edits = edit_flac_tags(MemorySource(file), {{"GENRE", {"Jazz"}}});
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_GE(edits[0].offset, id3.size() + 4);
    const std::string out = apply(file, edits);
    EXPECT_EQ(out.substr(0, id3.size()), id3);
    EXPECT_EQ(parse(out, id3.size()).entries, (std::vector<std::string>{"GENRE=Jazz"}));
}

TEST(FlacTagEditor, RejectsCorruptFiles) {
    const auto rejects = [](const std::string& file) {
        EXPECT_THROW(edit_flac_tags(MemorySource(file), {{"GENRE", {"Jazz"}}}), sonavel::exception_io_data);
    };
    rejects("");
    rejects("fLaX" + streaminfo());
    rejects(flac(block(4, comment({}), true)));                                  // no STREAMINFO first
    rejects("fLaC" + streaminfo().replace(0, 1, "\x80").substr(0, 20));          // block past the end
    rejects(flac(streaminfo() + "\x84\xFF\xFF\xFF"));                           // length past the end
    rejects(flac(streaminfo() + block(4, le32(1000) + "v" + le32(0), true)));    // vendor past the block
    rejects(flac(streaminfo() + block(4, le32(0) + le32(0xFFFFFFFF), true)));    // absurd count
    rejects(flac(streaminfo() + block(4, le32(0) + le32(1) + le32(0x7FFFFFFF) + "x", true)));
    rejects(std::string("ID3\x04\x00\x00\x7F\x7F\x7F\x7F", 10) + flac(streaminfo()));
}

TEST(FlacTagEditor, LeavesUnsupportedLayoutsToTheCaller) {
    const std::string two = flac(streaminfo() + block(4, comment({})) + block(4, comment({}), true));
    EXPECT_THROW(edit_flac_tags(MemorySource(two), {{"GENRE", {"Jazz"}}}), unsupported_layout);
    const std::string one = flac(streaminfo() + block(4, comment({}), true));
    EXPECT_THROW(edit_flac_tags(MemorySource(one), {{"GEN=RE", {"Jazz"}}}), unsupported_layout);
}
