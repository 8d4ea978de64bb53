#include "sdk/file_info.h"

#include <cstring>
#include <string_view>

#include "sdk/utf8.h"

namespace sonavel {

bool field_name_equals(const char* a, std::size_t a_length, const char* b, std::size_t b_length) noexcept {
    if (a_length == b_length) {
        std::size_t i = 0;
        for (; i < a_length; ++i) {
            unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
            if ((x | y) & 0x80) break;
            if (x == y) continue;
            if ((x | 0x20) != (y | 0x20) || (x | 0x20) < 'a' || (x | 0x20) > 'z') return false;
        }
        if (i == a_length) return true;
    }
    return stricmp_utf8_ex(std::string_view(a, a_length), std::string_view(b, b_length)) == 0;
}

std::size_t file_info::meta_find(const char* name) const noexcept { return meta_find_ex(name, std::strlen(name)); }

const char* file_info::meta_get(const char* name, std::size_t value) const noexcept {
    std::size_t field = meta_find(name);
    if (field == npos || value >= meta_enum_value_count(field)) return nullptr;
    return meta_enum_value(field, value);
}

std::size_t file_info::meta_add(const char* name, const char* value) {
    return meta_add_ex(name, std::strlen(name), value, std::strlen(value));
}

void file_info::meta_remove_all() {
    while (meta_get_count() > 0) meta_remove_field(meta_get_count() - 1);
}

std::size_t file_info::info_find(const char* name) const noexcept {
    std::size_t length = std::strlen(name);
    for (std::size_t i = 0, n = info_get_count(); i < n; ++i) {
        const char* candidate = info_enum_name(i);
        if (field_name_equals(candidate, std::strlen(candidate), name, length)) return i;
    }
    return npos;
}

void file_info::copy(const file_info& source) {
    if (&source == this) return;
    meta_remove_all();
    info_remove_all();
    for (std::size_t f = 0, n = source.meta_get_count(); f < n; ++f) {
        const char* name = source.meta_enum_name(f);
        std::size_t name_length = std::strlen(name);
        for (std::size_t v = 0, values = source.meta_enum_value_count(f); v < values; ++v) {
            const char* value = source.meta_enum_value(f, v);
            meta_add_ex(name, name_length, value, std::strlen(value));
        }
    }
    for (std::size_t i = 0, n = source.info_get_count(); i < n; ++i) info_set(source.info_enum_name(i), source.info_enum_value(i));
    set_length(source.get_length());
    set_replaygain(source.get_replaygain());
}

bool file_info::equals(const file_info& other) const {
    if (meta_get_count() != other.meta_get_count() || info_get_count() != other.info_get_count()) return false;
    for (std::size_t f = 0, n = meta_get_count(); f < n; ++f) {
        if (std::strcmp(meta_enum_name(f), other.meta_enum_name(f)) != 0) return false;
        std::size_t values = meta_enum_value_count(f);
        if (values != other.meta_enum_value_count(f)) return false;
        for (std::size_t v = 0; v < values; ++v) {
            if (std::strcmp(meta_enum_value(f, v), other.meta_enum_value(f, v)) != 0) return false;
        }
    }
    for (std::size_t i = 0, n = info_get_count(); i < n; ++i) {
        if (std::strcmp(info_enum_name(i), other.info_enum_name(i)) != 0 ||
            std::strcmp(info_enum_value(i), other.info_enum_value(i)) != 0) {
            return false;
        }
    }
    return get_length() == other.get_length() && get_replaygain() == other.get_replaygain();
}

void file_info_impl::copy_from(const file_info& source) {
    if (&source == this) return;
    fields_.clear();
    info_.clear();
    fields_.reserve(source.meta_get_count());
    for (std::size_t f = 0, n = source.meta_get_count(); f < n; ++f) {
        std::size_t values = source.meta_enum_value_count(f);
        if (values == 0) continue;
        const char* name = source.meta_enum_name(f);
        std::size_t index = meta_find_ex(name, std::strlen(name));
        if (index == npos) {
            fields_.push_back(field{name, {}});
            index = fields_.size() - 1;
        }
        auto& list = fields_[index].values;
        list.reserve(list.size() + values);
        for (std::size_t v = 0; v < values; ++v) list.emplace_back(source.meta_enum_value(f, v));
    }
    info_.reserve(source.info_get_count());
    for (std::size_t i = 0, n = source.info_get_count(); i < n; ++i) info_set(source.info_enum_name(i), source.info_enum_value(i));
    length_ = source.get_length();
    replaygain_ = source.get_replaygain();
}

std::size_t file_info_impl::meta_find_ex(const char* name, std::size_t length) const noexcept {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const std::string& candidate = fields_[i].name;
        if (field_name_equals(candidate.data(), candidate.size(), name, length)) return i;
    }
    return npos;
}

void file_info_impl::meta_insert_value_ex(std::size_t field, std::size_t at, const char* value, std::size_t length) {
    auto& values = fields_.at(field).values;
    if (at > values.size()) at = values.size();
    values.insert(values.begin() + std::ptrdiff_t(at), std::string(value, length));
}

std::size_t file_info_impl::meta_add_ex(const char* name, std::size_t name_length, const char* value,
                                        std::size_t value_length) {
    std::size_t index = meta_find_ex(name, name_length);
    if (index == npos) {
        fields_.push_back(field{std::string(name, name_length), {}});
        index = fields_.size() - 1;
    }
    fields_[index].values.emplace_back(value, value_length);
    return index;
}

void file_info_impl::meta_remove_values(std::size_t field, std::size_t first, std::size_t count) {
    auto& values = fields_.at(field).values;
    if (first >= values.size()) return;
    if (count > values.size() - first) count = values.size() - first;
    values.erase(values.begin() + std::ptrdiff_t(first), values.begin() + std::ptrdiff_t(first + count));
    if (values.empty()) fields_.erase(fields_.begin() + std::ptrdiff_t(field));
}

void file_info_impl::meta_remove_field(std::size_t field) { fields_.erase(fields_.begin() + std::ptrdiff_t(field)); }

void file_info_impl::info_set(const char* name, const char* value) {
    std::size_t index = info_find(name);
    if (index != npos) {
        info_[index].second = value;
    } else {
        info_.emplace_back(name, value);
    }
}

}  // namespace sonavel
