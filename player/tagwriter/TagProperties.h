#pragma once
// The host's metadata record and TagLib's property map, one as the other: field names upper-cased,
// every value of a field in order, text as UTF-8 on the host's side.
#include <string>
#include <string_view>

#include <tpropertymap.h>
#include <tstring.h>

#include "player/tagwriter/TagWriter.h"
#include "sdk/file_info.h"

namespace player {

TagLib::String to_taglib(std::string_view utf8);
std::string to_utf8(const TagLib::String& text);

// A property map as the tag writer's fields: the same keys and values, as UTF-8.
tagwriter::FieldMap to_field_map(const TagLib::PropertyMap& properties);

// Every field of the record with all its values. Fields whose names differ only in case are one.
TagLib::PropertyMap to_property_map(const sonavel::file_info& record);
// The same fields as the writer's: what to_field_map(to_property_map(record)) gives, made directly.
tagwriter::FieldMap to_field_map(const sonavel::file_info& record);
// Replaces the record's fields by the map's properties (technical info is left alone).
void set_fields(sonavel::file_info& record, const TagLib::PropertyMap& properties);

// TagLib fills some of its tables of field names on first use, without a lock (the ID3v2 roles of
// involved people, the ASF and MP4 names for setting properties): two threads reading or writing tags at
// once could fill one together and corrupt it. Called before every parse; fills them once, on the first
// thread that gets here, while the others wait.
void fill_taglib_name_tables();

}  // namespace player
