#include "player/history/FieldChanges.h"

#include <cstdint>
#include <map>

#include "sdk/errors.h"

namespace player::history {

std::string field_key(const std::string& name) {
    std::string key = name;
    for (char& c : key)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return key;
}

ValueList values_of(const sonavel::file_info& record, const std::string& field) {
    ValueList values;
    const std::size_t f = record.meta_find_ex(field.data(), field.size());
    if (f == sonavel::file_info::npos) return values;
    const std::size_t n = record.meta_enum_value_count(f);
    values.reserve(n);
    for (std::size_t v = 0; v < n; ++v) values.emplace_back(record.meta_enum_value(f, v));
    return values;
}

namespace {

std::map<std::string, ValueList> fields_by_key(const sonavel::file_info& record) {
    std::map<std::string, ValueList> fields;
    for (std::size_t f = 0; f < record.meta_get_count(); ++f) {
        ValueList& values = fields[field_key(record.meta_enum_name(f))];
        for (std::size_t v = 0; v < record.meta_enum_value_count(f); ++v) values.emplace_back(record.meta_enum_value(f, v));
    }
    return fields;
}

}  // namespace

std::vector<FieldChange> changed_fields(const sonavel::file_info& before, const sonavel::file_info& after) {
    std::map<std::string, ValueList> old_fields = fields_by_key(before);
    std::map<std::string, ValueList> new_fields = fields_by_key(after);
    std::vector<FieldChange> changes;
    auto o = old_fields.begin();
    auto n = new_fields.begin();
    static const ValueList none;
    while (o != old_fields.end() || n != new_fields.end()) {
        if (n == new_fields.end() || (o != old_fields.end() && o->first < n->first)) {
            if (!o->second.empty()) changes.push_back({o->first, o->second, none});
            ++o;
        } else if (o == old_fields.end() || n->first < o->first) {
            if (!n->second.empty()) changes.push_back({n->first, none, n->second});
            ++n;
        } else {
            if (o->second != n->second) changes.push_back({o->first, o->second, n->second});
            ++o;
            ++n;
        }
    }
    return changes;
}

void set_values(sonavel::file_info& record, const std::string& field, const ValueList& values) {
    for (std::size_t f = record.meta_find_ex(field.data(), field.size()); f != sonavel::file_info::npos;
         f = record.meta_find_ex(field.data(), field.size()))
        record.meta_remove_field(f);
    for (const std::string& value : values) record.meta_add_ex(field.data(), field.size(), value.data(), value.size());
}

std::vector<std::uint8_t> encode_values(const ValueList& values) {
    std::vector<std::uint8_t> bytes;
    for (const std::string& value : values) {
        const auto size = std::uint32_t(value.size());
        for (int i = 0; i < 4; ++i) bytes.push_back(std::uint8_t((size >> (8 * i)) & 0xFF));
        bytes.insert(bytes.end(), value.begin(), value.end());
    }
    return bytes;
}

ValueList decode_values(const std::vector<std::uint8_t>& bytes) {
    ValueList values;
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (bytes.size() - at < 4) throw sonavel::exception_io_data();
        std::uint32_t size = 0;
        for (int i = 0; i < 4; ++i) size |= std::uint32_t(bytes[at + i]) << (8 * i);
        at += 4;
        if (bytes.size() - at < size) throw sonavel::exception_io_data();
        values.emplace_back(reinterpret_cast<const char*>(bytes.data() + at), size);
        at += size;
    }
    return values;
}

}  // namespace player::history
