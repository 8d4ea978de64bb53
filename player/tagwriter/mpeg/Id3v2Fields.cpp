#include "player/tagwriter/mpeg/Id3v2Fields.h"

#include <id3v2frame.h>
#include <id3v2framefactory.h>
#include <id3v2header.h>
#include <id3v2tag.h>
#include <textidentificationframe.h>
#include <tpropertymap.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <regex>

#include "player/tagwriter/FieldEdit.h"
#include "player/tagwriter/mpeg/ByteFields.h"
#include "player/tagwriter/mpeg/TextCodec.h"

namespace player::tagwriter::mpeg {
namespace {

// TagLib keeps its key table behind protected statics.
struct FrameKeys : TagLib::ID3v2::Frame {
    using Frame::frameIDToKey;
    using Frame::splitProperties;
};

TagLib::String tl(const std::string& utf8) { return TagLib::String(utf8, TagLib::String::UTF8); }
std::string str(const TagLib::ByteVector& v) { return std::string(v.data(), v.size()); }

bool is_text_frame_id(const std::string& id) { return id != "TIPL" && id != "TMCL" && id != "IPLS"; }

std::string ascii_upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// A text frame's field follows from its identifier alone, whatever its content: TagLib names it through
// its table of identifiers. Not so for the user-defined frame and the lists of involved people, named by
// their content, nor for identifiers missing from the table (TagLib renames some of them as it reads);
// for those the answer is empty and the frame must be read.
std::string field_named_by_id(const std::string& id) {
    if (id.size() != 4 || id[0] != 'T' || id == "TXXX" || !is_text_frame_id(id)) return {};
    // TagLib's lookup builds and compares a few dozen byte vectors: the usual identifiers are looked up
    // once.
    static const std::map<std::string, std::string> usual = [] {
        static const char* const ids[] = {"TALB", "TBPM", "TCMP", "TCOM", "TCON", "TCOP", "TDRC", "TDRL", "TENC",
                                          "TEXT", "TIT1", "TIT2", "TIT3", "TKEY", "TLAN", "TLEN", "TMED", "TMOO",
                                          "TOAL", "TOPE", "TPE1", "TPE2", "TPE3", "TPE4", "TPOS", "TPUB", "TRCK",
                                          "TSO2", "TSOA", "TSOC", "TSOP", "TSOT", "TSRC", "TSSE", "TSST", "TYER"};
        std::map<std::string, std::string> names;
        for (const char* known : ids) names.emplace(known, FrameKeys::frameIDToKey(TagLib::ByteVector(known, 4)).to8Bit(true));
        return names;
    }();
    const auto found = usual.find(id);
    if (found != usual.end()) return found->second;
    return FrameKeys::frameIDToKey(TagLib::ByteVector(id.data(), 4)).to8Bit(true);
}

// Frames that only exist from version 2.4 on; a 2.3 tag keeps their fields in TXXX frames.
bool new_in_v24(const std::string& id) {
    static const char* const ids[] = {"TDEN", "TDOR", "TDRC", "TDRL", "TDTG", "TIPL", "TMCL",
                                      "TMOO", "TPRO", "TSOA", "TSOP", "TSOT", "TSST"};
    return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

bool all_years(const std::vector<std::string>& values) {
    static const std::regex year("[0-9]{4}");
    return !values.empty() && std::all_of(values.begin(), values.end(), [](const std::string& v) { return std::regex_match(v, year); });
}

std::string encoded(const std::string& utf8, int encoding) {
    const std::u32string text = decode_utf8(utf8);
    return encoding == 0 ? encode_latin1(text) : encoding == 1 ? encode_utf16_bom(text) : encode_utf8(text);
}

// The 2.4 text frame TagLib stores `field` in; none when TagLib keeps it elsewhere (a comment, a list of
// involved people).
std::optional<TextFrameTarget> taglib_text_frame(const std::string& field) {
    TagLib::PropertyMap wanted, single, tipl, tmcl;
    wanted.insert(tl(field), TagLib::StringList(TagLib::String("x")));
    FrameKeys::splitProperties(wanted, single, tipl, tmcl);
    const std::unique_ptr<TagLib::ID3v2::Frame> frame(TagLib::ID3v2::Frame::createTextualFrame(tl(field), TagLib::StringList(TagLib::String("x"))));
    const auto* text = dynamic_cast<const TagLib::ID3v2::TextIdentificationFrame*>(frame.get());
    if (!tipl.isEmpty() || !tmcl.isEmpty() || !text) return std::nullopt;
    TextFrameTarget target{str(frame->frameID()), ""};
    if (const auto* user = dynamic_cast<const TagLib::ID3v2::UserTextIdentificationFrame*>(text))
        target.description = user->description().to8Bit(true);
    return target;
}

// The same, for the fields a panel usually edits worked out once: TagLib makes a frame to answer.
std::optional<TextFrameTarget> text_frame_of(const std::string& field) {
    static const std::map<std::string, std::optional<TextFrameTarget>> usual = [] {
        static const char* const fields[] = {"ALBUM", "ALBUMARTIST", "ARTIST", "COMPOSER", "CONDUCTOR", "GENRE",
                                             "GROUPING", "LABEL", "LANGUAGE", "MOOD", "STYLE", "TITLE"};
        std::map<std::string, std::optional<TextFrameTarget>> targets;
        for (const char* known : fields) targets.emplace(known, taglib_text_frame(known));
        return targets;
    }();
    const auto found = usual.find(field);
    return found != usual.end() ? found->second : taglib_text_frame(field);
}

}  // namespace

TextFrameTarget text_frame_for(const std::string& field, int version, const std::vector<std::string>& values) {
    const std::optional<TextFrameTarget> taglib = text_frame_of(field);
    if (!taglib) throw unsupported_layout("ID3v2 keeps " + field + " outside a text frame");
    const TextFrameTarget& target = *taglib;
    if (version == 3 && new_in_v24(target.id)) {
        // Years have their own 2.3 frames, which every reader knows; anything longer would lose its
        // month and day there.
        const bool years = all_years(values);
        if (years && target.id == "TDRC") return {"TYER", ""};
        if (years && target.id == "TDOR") return {"TORY", ""};
        return {"TXXX", field};
    }
    return target;
}

FrameMatch frame_holds(const std::string& tag_header, const std::string& frame, const std::string& field) {
    const std::string id = frame.substr(0, 4);
    const int version = tag_header.size() > 3 ? static_cast<unsigned char>(tag_header[3]) : 0;
    // A 2.3 tag's day and time frames belong to the date the user replaces, though TagLib files them
    // under it only beside a year frame.
    if (version == 3 && (id == "TDAT" || id == "TIME" || id == "TRDA")) return field == "DATE" ? FrameMatch::text : FrameMatch::none;
    // Most frames of a tag are text frames of other fields: known without reading them. A text frame of
    // the field is read as one whatever its text, unless it is empty or its header asks for more than
    // plain bytes (compression, encryption, grouping, unsynchronisation, a length indicator): then
    // TagLib's reading decides.
    const std::string named = field_named_by_id(id);
    if (!named.empty() && named != ascii_upper(field)) return FrameMatch::none;
    const bool plain = frame.size() > 10 && frame[8] == 0 && frame[9] == 0;
    if (!named.empty() && plain) return FrameMatch::text;
    return frame_holds_as_read(tag_header, frame, field);
}

FrameMatch frame_holds_as_read(const std::string& tag_header, const std::string& frame, const std::string& field) {
    const TagLib::ID3v2::Header header(TagLib::ByteVector(tag_header.data(), static_cast<unsigned>(tag_header.size())));
    std::unique_ptr<TagLib::ID3v2::Frame> parsed(TagLib::ID3v2::FrameFactory::instance()->createFrame(
        TagLib::ByteVector(frame.data(), static_cast<unsigned>(frame.size())), &header));
    const std::string id = frame.substr(0, 4);
    if (header.majorVersion() == 3 && (id == "TDAT" || id == "TIME" || id == "TRDA")) return field == "DATE" ? FrameMatch::text : FrameMatch::none;
    if (!parsed) return FrameMatch::none;
    const bool text = dynamic_cast<const TagLib::ID3v2::TextIdentificationFrame*>(parsed.get()) && is_text_frame_id(id);
    // Read through a tag of its own, exactly as the player reads a whole tag.
    TagLib::ID3v2::Tag holder;
    holder.addFrame(parsed.release());
    if (!holder.properties().contains(tl(field))) return FrameMatch::none;
    return text ? FrameMatch::text : FrameMatch::other;
}

std::string render_text_frame(int version, const TextFrameTarget& target, const std::vector<std::string>& values) {
    int encoding = 3;
    if (version == 3) {
        const bool latin1 = is_latin1(decode_utf8(target.description)) &&
                            std::all_of(values.begin(), values.end(), [](const std::string& v) { return is_latin1(decode_utf8(v)); });
        encoding = latin1 ? 0 : 1;
    }
    const std::string nul = encoding == 1 ? std::string(2, '\0') : std::string(1, '\0');
    std::vector<std::string> fields;
    if (target.id == "TXXX") fields.push_back(encoded(target.description, encoding));
    for (const std::string& v : values) fields.push_back(encoded(v, encoding));
    const std::string body = char(encoding) + join(fields, nul);
    if (body.size() > 0x0fffffff) throw unsupported_layout("ID3v2 frame too large");
    const auto size = static_cast<std::uint32_t>(body.size());
    return target.id + (version == 3 ? be32(size) : syncsafe(size)) + std::string(2, '\0') + body;
}

}  // namespace player::tagwriter::mpeg
