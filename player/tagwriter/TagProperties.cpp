#include "player/tagwriter/TagProperties.h"

#include <asftag.h>
#include <mp4tag.h>
#include <textidentificationframe.h>

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
