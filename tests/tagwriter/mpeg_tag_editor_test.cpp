// Byte-level MPEG tag edits, checked by applying them and reading the result with TagLib.
#include <apetag.h>
#include <id3v1tag.h>
#include <id3v2tag.h>
#include <mpegfile.h>
#include <tbytevectorstream.h>
#include <tpropertymap.h>

#include <gtest/gtest.h>

#include <memory>

#include "player/tagwriter/mpeg/MpegTagEditor.h"
#include "sdk/errors.h"

using namespace player::tagwriter;

namespace {

using Strings = std::vector<std::string>;

std::string be32(std::uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }
std::string le32(std::uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
std::string syncsafe(std::uint32_t v) { return {char(v >> 21 & 0x7f), char(v >> 14 & 0x7f), char(v >> 7 & 0x7f), char(v & 0x7f)}; }
std::string nul(std::size_t n = 1) { return std::string(n, '\0'); }

// MPEG-1 layer III, 128 kbit/s, 44.1 kHz: 417-byte frames.
std::string audio() {
    std::string out;
    for (int i = 0; i < 20; ++i) {
        std::string frame = std::string("\xff\xfb\x90\x64", 4) + std::string(413, char(0x55));
        frame[100] = char(i);
        out += frame;
    }
    return out;
}

std::string frame(int version, const std::string& id, const std::string& body) {
    return id + (version == 3 ? be32(body.size()) : syncsafe(body.size())) + nul(2) + body;
}

std::string id3v2(int version, const Strings& frames, std::size_t padding, char flags = 0) {
    std::string body;
    for (const auto& f : frames) body += f;
    body += nul(padding);
    return std::string("ID3") + char(version) + nul() + flags + syncsafe(body.size()) + body;
}

std::string ape_item(const std::string& key, const std::string& value, std::uint32_t flags = 0) {
    return le32(value.size()) + le32(flags) + key + nul() + value;
}

std::string ape(const Strings& items, bool header = true, std::uint32_t version = 2000) {
    std::string body;
    for (const auto& i : items) body += i;
    auto part = [&](std::uint32_t flags) {
        return "APETAGEX" + le32(version) + le32(body.size() + 32) + le32(items.size()) + le32(flags) + nul(8);
    };
    return (header ? part(0xa0000000) : "") + body + part(header ? 0x80000000 : 0);
}

std::string id3v1(const std::string& title, char genre, char track = 0) {
    std::string tag = "TAG" + title;
    tag.resize(125, '\0');
    return tag + nul() + track + genre;
}

std::string applied(std::string bytes, const ByteEdits& edits) {
    for (auto it = edits.rbegin(); it != edits.rend(); ++it) bytes.replace(it->offset, it->length, it->bytes);
    return bytes;
}

struct Read {
    explicit Read(const std::string& bytes)
        : data(bytes.data(), bytes.size()), stream(data), file(&stream, TagLib::ID3v2::FrameFactory::instance()) {}
    Strings id3v2(const char* key) { return list(file.ID3v2Tag()->properties()[key]); }
    Strings ape(const char* key) { return list(file.APETag()->properties()[key]); }
    static Strings list(const TagLib::StringList& l) {
        Strings out;
        for (const auto& s : l) out.push_back(s.to8Bit(true));
        return out;
    }
    TagLib::ByteVector data;
    TagLib::ByteVectorStream stream;
    TagLib::MPEG::File file;
};

ByteEdits edit(const std::string& bytes, const FieldEdits& edits) { return edit_mpeg_tags(MemorySource(bytes), edits); }

const std::string bad_utf8_title = frame(4, "TIT2", std::string("\x03" "A\xff\xfe" "B", 5));
const Strings values = {"Rock", "\xc3\x89lectronique", "\xe6\x97\xa5\xe6\x9c\xac"};

}  // namespace

TEST(MpegTagEditor, ReplacesV24FieldInPlaceAndKeepsOtherFrames) {
    const std::string artist = frame(4, "TPE1", "\x03" "A");
    const std::string file = id3v2(4, {bad_utf8_title, frame(4, "TCON", "\x03" "Pop"), artist, frame(4, "TXXX", std::string("\x03" "Genre\0Jazz", 11))}, 200) + audio();
    const ByteEdits edits = edit(file, {{"GENRE", values}});
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].offset, 0u);
    EXPECT_EQ(edits[0].length, edits[0].bytes.size());  // in place
    const std::string out = applied(file, edits);
    EXPECT_EQ(out.size(), file.size());
    EXPECT_EQ(out.substr(10, bad_utf8_title.size()), bad_utf8_title);
    const std::string genre = frame(4, "TCON", "\x03" + values[0] + nul() + values[1] + nul() + values[2]);
    EXPECT_EQ(out.substr(10 + bad_utf8_title.size(), genre.size() + artist.size()), genre + artist);
    EXPECT_EQ(out.find("TXXX"), std::string::npos);
    Read read(out);
    EXPECT_EQ(read.id3v2("GENRE"), values);
    EXPECT_EQ(read.id3v2("ARTIST"), Strings{"A"});
    EXPECT_EQ(out.substr(out.size() - audio().size()), audio());
}

TEST(MpegTagEditor, V23StaysV23WithUtf16AndTxxxForNewFrames) {
    const std::string title = frame(3, "TIT2", std::string("\x00" "T\xe9", 3));
    const std::string file = id3v2(3, {frame(3, "TCON", std::string("\x00" "(17)", 5)), title, frame(3, "TYER", std::string("\x00" "1999", 5)),
                                       frame(3, "TDAT", std::string("\x00" "0305", 5))}, 10) + audio();
    const std::string out = applied(file, edit(file, {{"GENRE", values}, {"MOOD", {"Calm", "Dark"}}, {"DATE", {"2001"}}}));
    EXPECT_EQ(id3v2_version(MemorySource(out)), 3);
    EXPECT_NE(out.find(std::string("TCON") + be32(1 + 2 * (5 + 13 + 3) + 4) + nul(2) + "\x01\xff\xfe" "R"), std::string::npos);
    EXPECT_NE(out.find(std::string("TXXX") + be32(15) + nul(2) + std::string("\x00" "MOOD\0Calm\0Dark", 15)), std::string::npos);
    EXPECT_EQ(out.find("TDAT"), std::string::npos);
    EXPECT_NE(out.find(title), std::string::npos);
    Read read(out);
    EXPECT_EQ(read.file.ID3v2Tag()->header()->majorVersion(), 3u);
    EXPECT_EQ(read.id3v2("GENRE"), values);
    EXPECT_EQ(read.id3v2("MOOD"), (Strings{"Calm", "Dark"}));
    EXPECT_EQ(read.id3v2("DATE"), Strings{"2001"});
    EXPECT_EQ(read.id3v2("TITLE"), Strings{"T\xc3\xa9"});
}

TEST(MpegTagEditor, GrowsTagWithPaddingForLargeValues) {
    const std::string file = id3v2(4, {frame(4, "TIT2", "\x03" "x")}, 0) + audio();
    const std::string big(64 * 1024, 'g');
    const ByteEdits edits = edit(file, {{"GENRE", {big}}});
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].length, 10 + 12u);
    EXPECT_EQ(edits[0].bytes.size(), 10 + 12 + 10 + 1 + big.size() + 4096);
    const std::string out = applied(file, edits);
    EXPECT_EQ(out.substr(edits[0].bytes.size()), audio());
    EXPECT_EQ(Read(out).id3v2("GENRE"), Strings{big});
    // The next edit fits in the room left.
    const ByteEdits again = edit(out, {{"GENRE", {"Rock"}}});
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].length, again[0].bytes.size());
}

TEST(MpegTagEditor, CreatesV24TagOnlyForValues) {
    const std::string file = audio();
    EXPECT_TRUE(edit(file, {{"GENRE", {}}}).empty());
    const ByteEdits edits = edit(file, {{"GENRE", {"Rock"}}, {"MOOD", {"Calm"}}});
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].offset, 0u);
    EXPECT_EQ(edits[0].length, 0u);
    const std::string out = applied(file, edits);
    EXPECT_EQ(id3v2_version(MemorySource(out)), 4);
    Read read(out);
    EXPECT_EQ(read.id3v2("GENRE"), Strings{"Rock"});
    EXPECT_EQ(read.id3v2("MOOD"), Strings{"Calm"});
}

TEST(MpegTagEditor, EmptyValuesRemoveEveryFrameOfTheField) {
    const std::string file = id3v2(4, {frame(4, "TCON", "\x03" "Pop"), frame(4, "TXXX", std::string("\x03" "GENRE\0Jazz", 11))}, 0) + audio();
    const std::string out = applied(file, edit(file, {{"GENRE", {}}}));
    EXPECT_EQ(out.size(), file.size());
    EXPECT_TRUE(Read(out).id3v2("GENRE").empty());
    EXPECT_TRUE(edit(out, {{"GENRE", {}}}).empty());
}

TEST(MpegTagEditor, RefusesLayoutsItDoesNotRewrite) {
    const std::string body = frame(3, "TIT2", "\x00x");
    EXPECT_THROW(edit(id3v2(4, {frame(4, "COMM", std::string("\x03" "eng\0c", 6))}, 0) + audio(), {{"COMMENT", {"x"}}}), unsupported_layout);
    EXPECT_THROW(edit(id3v2(3, {body}, 0, char(0x80)) + audio(), {{"GENRE", {"x"}}}), unsupported_layout);
    EXPECT_THROW(edit(id3v2(4, {body}, 0, char(0x10)) + audio(), {{"GENRE", {"x"}}}), unsupported_layout);
    EXPECT_THROW(edit(id3v2(2, {}, 10) + audio(), {{"GENRE", {"x"}}}), unsupported_layout);
    EXPECT_THROW(edit(audio() + ape({ape_item("Genre", "x")}, true, 1000), {{"GENRE", {"x"}}}), unsupported_layout);
    std::string crc = id3v2(3, {be32(10) + std::string("\x80\0", 2) + nul(8) + body}, 0, char(0x40));
    EXPECT_THROW(edit(crc + audio(), {{"GENRE", {"x"}}}), unsupported_layout);
    std::string overrun = id3v2(4, {frame(4, "TIT2", "\x03x")}, 0);
    overrun[17] = 0x7f;
    EXPECT_THROW(edit(overrun + audio(), {{"GENRE", {"x"}}}), sonavel::exception_io_data);
}

TEST(MpegTagEditor, ApeAndId3v1ChangeInOneTailEdit) {
    const std::string cover = ape_item("Cover Art (Front)", std::string("a.jpg\0\xff\xd8\x00\x01", 10), 2);
    const std::string artist = ape_item("Artist", "Someone");
    const std::string tail = ape({cover, ape_item("Genre", "Pop"), artist}) + id3v1("Title", 13);
    const std::string file = id3v2(4, {frame(4, "TCON", "\x03" "Pop")}, 100) + audio() + tail;
    const ByteEdits edits = edit(file, {{"GENRE", values}, {"DATE", {"2001"}}});
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(edits[1].offset, file.size() - tail.size());
    EXPECT_EQ(edits[1].length, tail.size());
    const std::string out = applied(file, edits);
    const std::string new_tail = out.substr(out.size() - edits[1].bytes.size());
    const std::string genre = ape_item("Genre", values[0] + nul() + values[1] + nul() + values[2]);
    EXPECT_NE(new_tail.find(cover + genre + artist + ape_item("YEAR", "2001")), std::string::npos);
    EXPECT_EQ(new_tail[new_tail.size() - 1], char(17));  // Rock
    EXPECT_EQ(new_tail.substr(new_tail.size() - 128, 128 - 1), id3v1("Title", 0).replace(93, 4, "2001").substr(0, 127));
    EXPECT_NE(out.find(audio()), std::string::npos);
    Read read(out);
    EXPECT_EQ(read.ape("GENRE"), values);
    EXPECT_EQ(read.ape("DATE"), Strings{"2001"});
    EXPECT_EQ(read.file.ID3v1Tag()->genre().to8Bit(), "Rock");
    EXPECT_EQ(read.file.APETag()->itemListMap()["COVER ART (FRONT)"].binaryData().size(), 10u);
}

TEST(MpegTagEditor, Id3v1HoldsOnlyWhatFits) {
    const std::string file = audio() + id3v1("Old", 13, 4).replace(97, 7, "comment");
    EXPECT_TRUE(edit(file, {{"MOOD", {"Calm"}}}).size() == 1);  // the new ID3v2 tag only
    const std::string title = std::string(28, 'x') + "\xc3\xa9\xe6\x97\xa5" + "yyy";
    const std::string out = applied(file, edit(file, {{"TITLE", {title}}, {"GENRE", {"Nothing", "Jazz"}}, {"COMMENT", {}}}));
    const std::string tag = out.substr(out.size() - 128);
    EXPECT_EQ(tag.substr(3, 30), std::string(28, 'x') + "\xe9?");
    EXPECT_EQ(tag.substr(97, 28), nul(28));
    EXPECT_EQ(tag[126], 4);
    EXPECT_EQ(tag[127], 8);  // Jazz
    EXPECT_EQ(out.substr(0, out.size() - 128).substr(out.size() - 128 - audio().size()), audio());
}

TEST(MpegTagEditor, NumericGenresReadAsId3v1Names) {
    // The reader takes a bare number (or "(n)") in TCON for an ID3v1 genre; the editor stores what it is
    // given, so "17" reads back as "Rock".
    const std::string file = id3v2(4, {}, 100) + audio();
    EXPECT_EQ(Read(applied(file, edit(file, {{"GENRE", {"17", "(20)"}}}))).id3v2("GENRE"), (Strings{"Rock", "Alternative"}));
    const std::string old = id3v2(3, {frame(3, "TCON", std::string("\x00" "Rock/Blues", 11))}, 0) + audio();
    EXPECT_EQ(Read(old).id3v2("GENRE"), Strings{"Rock/Blues"});
}

TEST(MpegTagEditor, V23ExtendedHeaderStatesTheNewPadding) {
    const std::string ext = be32(6) + nul(2) + be32(40);
    const std::string file = id3v2(3, {ext, frame(3, "TCON", std::string("\x00" "Pop", 4))}, 40, char(0x40)) + audio();
    const ByteEdits edits = edit(file, {{"GENRE", {"Rock"}}, {"DATE", {"2001-05-03"}}});
    ASSERT_EQ(edits.size(), 1u);
    const std::string tcon = frame(3, "TCON", std::string("\x00" "Rock", 5));
    const std::string txxx = frame(3, "TXXX", std::string("\x00" "DATE\0" "2001-05-03", 16));
    EXPECT_EQ(edits[0].bytes, file.substr(0, 10) + ext.substr(0, 6) + be32(64 - 10 - 15 - 26) + tcon + txxx + nul(13));
}

TEST(MpegTagEditor, UntouchedTagsGiveNoEdits) {
    const std::string file = id3v2(4, {frame(4, "TPE1", "\x03" "A")}, 10) + audio() + ape({ape_item("Artist", "A")}, false) + id3v1("T", char(255));
    EXPECT_TRUE(edit(file, {{"GENRE", {}}, {"MOOD", {}}}).empty());
    EXPECT_TRUE(edit(file, {{"ARTIST", {"A"}}}).size() == 1);  // the ID3v1 artist was empty
    const ByteEdits edits = edit(file, {{"MOOD", {"Calm"}}});
    ASSERT_EQ(edits.size(), 2u);
    const std::string out = applied(file, edits);
    EXPECT_EQ(out.substr(out.size() - 128), id3v1("T", char(255)));
    EXPECT_EQ(Read(out).ape("MOOD"), Strings{"Calm"});
}

TEST(MpegTagEditor, RefusesApeTagThatWouldEndLikeAnId3v1Tag) {
    // After the edit, "TAG" inside the title lands 128 bytes before the end, where readers look for ID3v1.
    const std::string title = std::string(10, 'x') + "TAG" + std::string(75, 'y');
    const std::string file = id3v2(4, {}, 10) + audio() + ape({ape_item("Title", title), ape_item("Genre", "Pop")}, false);
    EXPECT_EQ(edit(file, {{"GENRE", {"Roc"}}}).size(), 2u);
    EXPECT_THROW(edit(file, {{"GENRE", {"Rock"}}}), unsupported_layout);
}
