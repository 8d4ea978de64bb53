#include "player/tagwriter/mpeg/Id3v1Tag.h"

#include <id3v1genres.h>

#include <cctype>

#include "player/tagwriter/mpeg/TextCodec.h"

namespace player::tagwriter::mpeg {
namespace {

constexpr std::size_t comment_at = 97, track_marker_at = 125, track_at = 126, genre_at = 127;

bool has_track(const std::string& tag) { return tag[track_marker_at] == '\0' && tag[track_at] != '\0'; }

// Latin-1, cut to the field; the field's remaining bytes are NUL. Several values share the one field
// the way they are shown in a list.
void put_text(std::string& tag, std::size_t at, std::size_t width, const std::vector<std::string>& values) {
    std::string text = encode_latin1(decode_utf8(join(values, " / ")));
    text.resize(width, '\0');
    tag.replace(at, width, text);
}

int leading_number(const std::string& text) {
    int n = 0;
    for (std::size_t i = 0; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && n < 1000; ++i) n = n * 10 + (text[i] - '0');
    return n;
}

// The first value naming an ID3v1 genre (or giving its number, as ID3v2 readers take one), else none.
char genre_index(const std::vector<std::string>& values) {
    for (std::string v : values) {
        if (v.size() > 2 && v.front() == '(' && v.back() == ')') v = v.substr(1, v.size() - 2);
        const bool number = !v.empty() && v.size() <= 3 && v.find_first_not_of("0123456789") == std::string::npos;
        const int index = number ? leading_number(v) : TagLib::ID3v1::genreIndex(TagLib::String(v, TagLib::String::UTF8));
        if (index >= 0 && index < 255) return char(index);
    }
    return char(255);
}

}  // namespace

bool is_id3v1(const std::string& last_128_bytes) { return last_128_bytes.size() == 128 && last_128_bytes.compare(0, 3, "TAG") == 0; }

void set_id3v1_fields(std::string& tag, const FieldEdits& edits) {
    for (const FieldEdit& edit : edits) {
        const auto& values = edit.values;
        if (edit.name == "TITLE") put_text(tag, 3, 30, values);
        if (edit.name == "ARTIST") put_text(tag, 33, 30, values);
        if (edit.name == "ALBUM") put_text(tag, 63, 30, values);
        if (edit.name == "COMMENT") put_text(tag, comment_at, has_track(tag) ? 28 : 30, values);
        if (edit.name == "GENRE") tag[genre_at] = genre_index(values);
        if (edit.name == "DATE") {
            // Only a year fits; a date without one leaves the field empty rather than holding a month.
            const std::string year = values.empty() ? "" : values.front().substr(0, 4);
            const bool valid = year.size() == 4 && year.find_first_not_of("0123456789") == std::string::npos;
            tag.replace(93, 4, valid ? year : std::string(4, '\0'));
        }
        if (edit.name == "TRACKNUMBER") {
            const int track = values.empty() ? 0 : leading_number(values.front());
            if (track > 0 && track < 256) {
                // The track takes the comment's last two bytes.
                tag[track_marker_at] = '\0';
                tag[track_at] = char(track);
            } else if (has_track(tag)) {
                tag[track_at] = '\0';
            }
        }
    }
}

}  // namespace player::tagwriter::mpeg
