#include "panel/model/LibraryScan.h"

#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "panel/model/PanelFiller.h"
#include "panel/model/ValueGathering.h"
#include "sdk/utf8.h"

namespace quennet {

void library_scan_step(Options& options, const sonavel::metadb_handle_list& library, bool force) {
    if (force) options.clear_tags();
    std::vector<std::string> fields;
    if (options.scan_fields.empty()) {
        fields.push_back(options.metadata_field);
    } else {
        for (auto& piece : split_fields(options.scan_fields)) {
            if (!piece.empty()) fields.push_back(std::move(piece));
        }
    }
    gather_values(options, library, fields);
}

namespace {

// The focused track's values of each filter field, in field order; false without a focused record.
bool focus_values(const sonavel::metadb_handle_ptr& focused, const std::vector<std::string>& fields,
                  std::vector<std::vector<std::string>>& values) {
    if (!focused.is_valid()) return false;
    sonavel::metadb_read_lock lock;
    const sonavel::file_info* info = focused->get_info_locked();
    if (!info) return false;
    for (const auto& field : fields) {
        auto& list = values.emplace_back();
        std::size_t index = info->meta_find(field);
        if (index == sonavel::file_info::npos) continue;
        for (std::size_t v = 0, n = info->meta_enum_value_count(index); v < n; ++v) list.emplace_back(info->meta_enum_value(index, v));
    }
    return true;
}

}  // namespace

bool focused_tags_filter_step(Options& options, const sonavel::metadb_handle_list& library,
                              const sonavel::metadb_handle_ptr& focused) {
    if (!options.filter_on_focused_tags || options.filter_fields.empty()) return false;
    options.clear_tags();
    std::vector<std::string> fields = split_fields(options.filter_fields);
    std::vector<std::vector<std::string>> focus;
    if (!focus_values(focused, fields, focus)) return false;

    std::set<std::string> found;
    {
        sonavel::metadb_read_lock lock;
        // A host that keeps each distinct text once hands out the same address for it: decide each
        // address once per filter field instead of comparing it with every focus value again.
        std::vector<std::unordered_map<const char*, bool>> matches(fields.size());
        std::unordered_set<const char*> collected;
        for (const auto& track : library) {
            const sonavel::file_info* info = track->get_info_locked();
            if (!info) continue;
            bool related = false;
            for (std::size_t j = 0; j < fields.size() && !related; ++j) {
                if (focus[j].empty()) continue;
                std::size_t index = info->meta_find(fields[j]);
                if (index == sonavel::file_info::npos) continue;
                for (std::size_t v = 0, n = info->meta_enum_value_count(index); v < n && !related; ++v) {
                    const char* x = info->meta_enum_value(index, v);
                    auto [known, added] = matches[j].try_emplace(x, false);
                    if (added) {
                        for (const auto& y : focus[j]) {
                            if (sonavel::stricmp_utf8(x, y.c_str()) == 0) {
                                known->second = true;
                                break;
                            }
                        }
                    }
                    related = known->second;
                }
            }
            if (!related) continue;
            std::size_t own = info->meta_find(options.metadata_field);
            if (own == sonavel::file_info::npos) continue;
            for (std::size_t v = 0, n = info->meta_enum_value_count(own); v < n; ++v) {
                const char* value = info->meta_enum_value(own, v);
                if (collected.insert(value).second) found.insert(value);
            }
        }
    }
    for (const auto& value : found) options.add_value(value);
    return true;
}

void rescan_added_tracks(Options& options, PanelFiller& filler, const sonavel::metadb_handle_list& tracks) {
    std::size_t before = options.tags.size();
    gather_values(options, tracks, {options.metadata_field});
    if (options.tags.size() > before) filler.request_fill(library_values_added);
}

}  // namespace quennet
