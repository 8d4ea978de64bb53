#include "panel/model/ValueGathering.h"

#include <unordered_set>

namespace quennet {

std::vector<std::string> split_fields(const std::string& text) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        std::size_t cut = text.find(';', start);
        pieces.push_back(text.substr(start, cut == std::string::npos ? std::string::npos : cut - start));
        if (cut == std::string::npos) return pieces;
        start = cut + 1;
    }
}

void gather_values(Options& options, const sonavel::metadb_handle_list& tracks, const std::vector<std::string>& fields) {
    sonavel::metadb_read_lock lock;
    // Most values of a large library were seen before. A host that keeps each distinct text once hands
    // out the same address for it, so remembering addresses already handled saves the lookup in tag_set
    // for all but the first occurrence; records cannot change while the lock is held.
    std::unordered_set<const char*> seen;
    for (const auto& track : tracks) {
        const sonavel::file_info* info = track->get_info_locked();
        if (!info) continue;
        for (const auto& field : fields) {
            std::size_t index = info->meta_find(field);
            if (index == sonavel::file_info::npos) continue;
            for (std::size_t v = 0, n = info->meta_enum_value_count(index); v < n; ++v) {
                const char* value = info->meta_enum_value(index, v);
                if (*value == '\0' || !seen.insert(value).second) continue;
                options.add_value(value);
            }
        }
    }
}

}  // namespace quennet
