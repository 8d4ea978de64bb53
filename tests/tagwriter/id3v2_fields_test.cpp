// Which frames of an ID3v2 tag hold a field: a frame passed over by its identifier must be one that
// TagLib, reading it, would not file under that field either.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/tagwriter/mpeg/Id3v2Fields.h"

using player::tagwriter::mpeg::frame_holds;
using player::tagwriter::mpeg::frame_holds_as_read;

namespace {

std::string syncsafe(std::uint32_t v) { return {char(v >> 21 & 0x7f), char(v >> 14 & 0x7f), char(v >> 7 & 0x7f), char(v & 0x7f)}; }
std::string be32(std::uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }

std::string frame(int version, const std::string& id, const std::string& body, char flags = 0) {
    return id + (version == 3 ? be32(body.size()) : syncsafe(body.size())) + std::string(1, '\0') + flags + body;
}

TEST(Id3v2Fields, AFramePassedOverByItsIdentifierIsOneTheReaderFilesElsewhere) {
    // Every text frame of 2.3 and 2.4, the ones TagLib renames as it reads, ones it does not know, and
    // the ones named by their content.
    const std::vector<std::string> ids = {
        "TALB", "TBPM", "TCOM", "TCON", "TCOP", "TDAT", "TDEN", "TDLY", "TDOR", "TDRC", "TDRL", "TDTG", "TENC",
        "TEXT", "TFLT", "TIME", "TIPL", "TIT1", "TIT2", "TIT3", "TKEY", "TLAN", "TLEN", "TMCL", "TMED", "TMOO",
        "TOAL", "TOFN", "TOLY", "TOPE", "TORY", "TOWN", "TPE1", "TPE2", "TPE3", "TPE4", "TPOS", "TPRO", "TPUB",
        "TRCK", "TRDA", "TRDC", "TRSN", "TRSO", "TSIZ", "TSO2", "TSOA", "TSOC", "TSOP", "TSOT", "TSRC", "TSSE",
        "TSST", "TYER", "TXXX", "TCMP", "TCAT", "TDES", "TGID", "TKWD", "IPLS", "TZZZ", "Tabc", "COMM", "WOAR"};
    const std::vector<std::string> fields = {"GENRE", "genre", "DATE", "ORIGINALDATE", "TITLE", "ARTIST",
                                             "ALBUMARTIST", "COMPILATION", "MOOD", "ENCODEDBY", "COMMENT",
                                             "ARRANGER", "PERFORMER:PIANO", "RELEASEDATE", "TRACKNUMBER", "X"};
    // A body of one UTF-8 value ("TXXX" reads it as a description and an empty value).
    const std::string body = std::string("\x03", 1) + "ENGINEER" + std::string(1, '\0') + "Rock";
    int compared = 0;
    for (int version : {3, 4}) {
        const std::string header = std::string("ID3") + char(version) + std::string(2, '\0') + syncsafe(100);
        for (const auto& id : ids) {
            // Plain; with its body compressed, encrypted or grouped as the flags say; unsynchronised or
            // with a length indicator (2.4); and empty.
            const std::vector<char> flag_sets = version == 3 ? std::vector<char>{0, char(0x80), 0x40, 0x20}
                                                             : std::vector<char>{0, 0x08, 0x04, 0x40, 0x02, 0x01};
            std::vector<std::string> variants;
            for (char flags : flag_sets) variants.push_back(frame(version, id, body, flags));
            variants.push_back(frame(version, id, ""));
            variants.push_back(frame(version, id, std::string(1, '\x03')));
            for (const auto& bytes : variants) {
                for (const auto& field : fields) {
                    EXPECT_EQ(frame_holds(header, bytes, field), frame_holds_as_read(header, bytes, field))
                        << "2." << version << " " << id << " flags " << int(bytes[9]) << " size " << bytes.size()
                        << " for " << field;
                    ++compared;
                }
            }
        }
    }
    EXPECT_EQ(compared, (6 + 8) * 65 * 16);
    // The comparison can fail: a frame of the field is found by both.
    const std::string header = std::string("ID3\x04", 4) + std::string(2, '\0') + syncsafe(100);
    EXPECT_EQ(frame_holds(header, frame(4, "TCON", body), "GENRE"), player::tagwriter::mpeg::FrameMatch::text);
    EXPECT_EQ(frame_holds(header, frame(4, "TIT2", body), "GENRE"), player::tagwriter::mpeg::FrameMatch::none);
}

}  // namespace
