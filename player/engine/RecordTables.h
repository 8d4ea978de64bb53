#pragma once
// What the records of one track store share: interned values and field names, and the case-insensitive
// identity of field names ("genre" and "GENRE" are one field). Changed only under the store's write lock.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "player/engine/StringPool.h"

namespace player {

class RecordTables {
public:
    static constexpr std::uint32_t none = 0xFFFFFFFFu;

    RecordTables();
    RecordTables(const RecordTables&) = delete;
    RecordTables& operator=(const RecordTables&) = delete;

    std::uint32_t value_id(std::string_view value) { return values_.intern(value); }
    const char* value(std::uint32_t id) const noexcept { return values_.text(id); }

    std::uint32_t name_id(std::string_view name);
    const char* name(std::uint32_t id) const noexcept { return names_.text(id); }
    // The case-insensitive identity of a stored name.
    std::uint32_t fold_of(std::uint32_t name_id) const noexcept { return fold_of_name_[name_id]; }
    // The case-insensitive identity of any name, or none when no record has such a field.
    std::uint32_t find_fold(std::string_view name) const;

    const StringPool& values() const noexcept { return values_; }
    std::size_t overhead_bytes() const noexcept;

private:
    static std::string fold_key(std::string_view name);

    // Tells this object apart from an earlier one at the same address (see find_fold's cache).
    std::uint64_t serial_;
    StringPool values_;
    StringPool names_;
    std::vector<std::uint32_t> fold_of_name_;
    std::unordered_map<std::string, std::uint32_t> fold_by_key_;
};

}  // namespace player
