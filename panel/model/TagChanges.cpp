#include "panel/model/TagChanges.h"

#include <memory>
#include <unordered_set>

#include "sdk/utf8.h"

namespace quennet {
namespace {

// The index of the first value of `field` equal to `value` under the platform's comparison, or npos.
std::size_t find_equal(const sonavel::file_info& record, std::size_t field, const std::string& value) {
    for (std::size_t v = 0, n = record.meta_enum_value_count(field); v < n; ++v) {
        if (sonavel::uCompareString(record.meta_enum_value(field, v), value.c_str()) == sonavel::compare_equal) return v;
    }
    return sonavel::file_info::npos;
}

}  // namespace

WriteList compose_new_records(const std::vector<const sonavel::metadb_handle_list*>& track_lists, const EditMap& add,
                              const EditMap& remove) {
    WriteList out;
    if (add.empty() && remove.empty()) return out;

    // Every track once, in the order of the panels' lists; when all lists are the same selection this is
    // simply that selection.
    sonavel::metadb_handle_list tracks;
    std::unordered_set<const sonavel::metadb_handle*> listed;
    for (const auto* list : track_lists) {
        for (const auto& t : *list) {
            if (listed.insert(t.get_ptr()).second) tracks.push_back(t);
        }
    }
    // Which edits apply to which tracks: an edit is for the tracks of the panel that made it.
    auto make_membership = [](const EditMap& edits) {
        std::map<std::string, std::unordered_set<const sonavel::metadb_handle*>> member;
        for (const auto& [field, edit] : edits) {
            auto& set = member[field];
            for (const auto& t : *edit.tracks) set.insert(t.get_ptr());
        }
        return member;
    };
    auto add_for = make_membership(add);
    auto remove_for = make_membership(remove);

    sonavel::metadb_read_lock lock;
    for (const auto& track : tracks) {
        const sonavel::file_info* current = track->get_info_locked();
        if (!current) continue;
        std::unique_ptr<sonavel::file_info_impl> copy;
        auto record = [&]() -> const sonavel::file_info& { return copy ? *copy : *current; };
        auto make_copy = [&] {
            if (!copy) {
                copy = std::make_unique<sonavel::file_info_impl>(*current);
            }
        };
        for (const auto& [field, edit] : add) {
            if (!add_for[field].count(track.get_ptr())) continue;
            for (const auto& value : edit.values) {
                if (value.empty()) continue;
                std::size_t index = record().meta_find(field);
                if (index != sonavel::file_info::npos && find_equal(record(), index, value) != sonavel::file_info::npos) continue;
                make_copy();
                copy->meta_add_ex(field.data(), field.size(), value.data(), value.size());
            }
        }
        for (const auto& [field, edit] : remove) {
            if (!remove_for[field].count(track.get_ptr())) continue;
            for (const auto& value : edit.values) {
                std::size_t index = record().meta_find(field);
                if (index == sonavel::file_info::npos) continue;
                std::size_t at = find_equal(record(), index, value);
                if (at == sonavel::file_info::npos) continue;
                make_copy();
                copy->meta_remove_values(index, at, 1);
            }
        }
        if (copy) {
            out.tracks.push_back(track);
            out.records.push_back(std::move(*copy));
        }
    }
    return out;
}

}  // namespace quennet
