#pragma once
// What a tag update changes in one file: for each field whose values differ, the values before and after,
// with the field named as the player names it (upper case). No values: the field is absent.
#include <cstdint>
#include <string>
#include <vector>

#include "sdk/file_info.h"

namespace player::history {

using ValueList = std::vector<std::string>;

struct FieldChange {
    std::string field;
    ValueList before;
    ValueList after;

    bool operator==(const FieldChange& o) const {
        return field == o.field && before == o.before && after == o.after;
    }
};

struct FileChanges {
    std::string path;
    std::vector<FieldChange> fields;
};

// The field name as kept in the history: ASCII letters in upper case (the player's names ignore case).
std::string field_key(const std::string& name);

// The values of a field in a record, in order; empty when the record lacks the field.
ValueList values_of(const sonavel::file_info& record, const std::string& field);

// The fields whose values differ between two records of one track, in name order.
std::vector<FieldChange> changed_fields(const sonavel::file_info& before, const sonavel::file_info& after);

// Replaces the field's values in the record (none: removes the field).
void set_values(sonavel::file_info& record, const std::string& field, const ValueList& values);

// A value list as bytes for the database and back: each value as a 32-bit little-endian byte count and
// its UTF-8 bytes, so that any value, empty ones included, comes back exactly. Decoding throws
// exception_io_data on bytes that are no such list.
std::vector<std::uint8_t> encode_values(const ValueList& values);
ValueList decode_values(const std::vector<std::uint8_t>& bytes);

}  // namespace player::history
