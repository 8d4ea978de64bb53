#include "player/tagwriter/TagProperties.h"

#include <asftag.h>
#include <mp4tag.h>
#include <textidentificationframe.h>

#include "sdk/utf8.h"

namespace player {

void fill_taglib_name_tables() {
    static const bool filled = [] {
        TagLib::ID3v2::TextIdentificationFrame::involvedPeopleMap();
        TagLib::ASF::Tag().setProperties(TagLib::PropertyMap());
        TagLib::MP4::Tag().setProperties(TagLib::PropertyMap());
        return true;
    }();
    (void)filled;
}

TagLib::String to_taglib(std::string_view utf8) {
    return TagLib::String(std::string(utf8), TagLib::String::UTF8);
}

std::string to_utf8(const TagLib::String& text) { return text.to8Bit(true); }

tagwriter::FieldMap to_field_map(const TagLib::PropertyMap& properties) {
    tagwriter::FieldMap out;
    for (const auto& [key, values] : properties) {
        auto& list = out[to_utf8(key)];
        for (const auto& value : values) list.push_back(to_utf8(value));
    }
    return out;
}

namespace {

// Strict UTF-8, as TagLib takes it: no overlong forms, surrogates or values past U+10FFFF. The decoder
// gives such a byte back alone, as its own value.
bool is_utf8(std::string_view text) {
    for (const char *p = text.data(), *end = p + text.size(); p < end;) {
        char32_t c;
        const std::size_t length = sonavel::utf8_decode_char(p, end, c);
        if (length == 1 && c >= 0x80) return false;
        p += length;
    }
    return true;
}

}  // namespace

tagwriter::FieldMap to_field_map(const sonavel::file_info& record) {
    // TagLib keeps UTF-8 as it is and upper-cases ASCII letters of names: text that is UTF-8 comes out of
    // its property map unchanged, and needs no trip through it.
    tagwriter::FieldMap out;
    for (std::size_t field = 0; field < record.meta_get_count(); ++field) {
        std::string name = record.meta_enum_name(field);
        if (!is_utf8(name)) return to_field_map(to_property_map(record));
        for (char& c : name)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        auto& list = out[name];
        for (std::size_t value = 0; value < record.meta_enum_value_count(field); ++value) {
            const char* text = record.meta_enum_value(field, value);
            if (!is_utf8(text)) return to_field_map(to_property_map(record));
            list.emplace_back(text);
        }
    }
    return out;
}

TagLib::PropertyMap to_property_map(const sonavel::file_info& record) {
    TagLib::PropertyMap map;
    for (std::size_t field = 0; field < record.meta_get_count(); ++field) {
        // Keys are ASCII in practice; upper() changes only ASCII letters, as TagLib's own keys expect.
        TagLib::String key = to_taglib(record.meta_enum_name(field)).upper();
        TagLib::StringList& values = map[key];
        for (std::size_t value = 0; value < record.meta_enum_value_count(field); ++value)
            values.append(to_taglib(record.meta_enum_value(field, value)));
    }
    return map;
}

void set_fields(sonavel::file_info& record, const TagLib::PropertyMap& properties) {
    record.meta_remove_all();
    for (const auto& [key, values] : properties) {
        std::string name = to_utf8(key);
        for (const auto& value : values) {
            std::string text = to_utf8(value);
            record.meta_add_ex(name.data(), name.size(), text.data(), text.size());
        }
    }
}

}  // namespace player
