#include "integration/SameValueAnalysis.h"

#include <cstdint>
#include <exception>
#include <map>
#include <unordered_set>

#include "sdk/core_api.h"
#include "sdk/query_text.h"
#include "sdk/utf8.h"

namespace quennet {
namespace {

using sonavel::file_info;
using sonavel::metadb_handle_ptr;

// The value chosen for the tracks of one key. Values count byte-wise distinct, so Rock and rock are two.
struct Group {
    std::string best;
    unsigned best_count = 0;
    std::map<std::string, unsigned> counts;

    void clear() {
        best.clear();
        best_count = 0;
        counts.clear();
    }
    // Ascending byte order and a strictly greater count: of equally frequent values the first wins.
    void choose_best() {
        for (const auto& [value, count] : counts) {
            if (count > best_count) {
                best = value;
                best_count = count;
            }
        }
    }
};

sonavel::service_ptr_t<sonavel::titleformat_object> compile_key_script(SameValueInput& input,
                                                                       const SameValueServices& services) {
    sonavel::service_ptr_t<sonavel::titleformat_object> script;
    if (services.titleformat->compile(script, input.pattern.c_str())) {
        services.titleformat->sort_by_format(input.selected, *script);
        return script;
    }
    // The selection keeps its order; each file is then a group of its own.
    if (!services.titleformat->compile(script, "%filename%")) throw sonavel::exception_bug_check();
    return script;
}

enum class Counting { done, refused, cancelled };

// Counts the field's values over the library tracks of `key` into the group. A query the host refuses
// counts nothing.
Counting count_library_values(const SameValueInput& input, const SameValueServices& services,
                              const std::string& key, sonavel::abort_callback& abort, Group& group) {
    const std::string query = same_value_query(input.pattern, key, input.field);
    sonavel::service_ptr_t<sonavel::search_filter> filter;
    try {
        filter = services.search->create(query.c_str());
    } catch (const sonavel::exception_io_data&) {
        return Counting::refused;
    }
    sonavel::metadb_handle_list candidates = input.library;
    filter->filter(candidates);

    sonavel::metadb_read_lock lock;
    for (const metadb_handle_ptr& candidate : candidates) {
        if (abort.is_aborting()) return Counting::cancelled;
        const file_info* record = candidate->get_info_locked();
        if (!record) continue;
        const std::size_t field = record->meta_find(input.field);
        if (field == file_info::npos) continue;
        for (std::size_t v = 0, n = record->meta_enum_value_count(field); v < n; ++v)
            ++group.counts[record->meta_enum_value(field, v)];
    }
    return Counting::done;
}

// The track's record with the field holding `best` alone, unless it holds exactly that value already
// (in any case) or has no record.
std::optional<sonavel::file_info_impl> retagged(const metadb_handle_ptr& track, const std::string& field,
                                                const std::string& best) {
    sonavel::metadb_read_lock lock;
    const file_info* record = track->get_info_locked();
    if (!record) return std::nullopt;
    const std::size_t index = record->meta_find(field);
    if (index != file_info::npos && record->meta_enum_value_count(index) == 1 &&
        sonavel::stricmp_utf8(record->meta_enum_value(index, 0), best.c_str()) == 0)
        return std::nullopt;

    sonavel::file_info_impl copy(*record);
    if (index == file_info::npos) {
        copy.meta_add_ex(field.data(), field.size(), best.data(), best.size());
        return copy;
    }
    // The field keeps its place among the others and its name's spelling.
    const std::size_t former = copy.meta_enum_value_count(index);
    copy.meta_insert_value_ex(index, 0, best.data(), best.size());
    copy.meta_remove_values(index, 1, former);
    return copy;
}

}  // namespace

SameValueServices SameValueServices::of_host() {
    return {sonavel::standard_api_create_t<sonavel::titleformat_service>(),
            sonavel::standard_api_create_t<sonavel::search_filter_service>()};
}

std::string same_value_query(const std::string& pattern, const std::string& key, const std::string& field) {
    const std::string quoted_field = sonavel::query_quoted(field);
    return sonavel::query_quoted(pattern) + " IS " + sonavel::query_quoted(key) + " AND NOT " + quoted_field +
           " IS \"\" AND NOT " + quoted_field + " MISSING";
}

std::size_t same_value_progress(std::size_t done, std::size_t total) noexcept {
    if (total == 0) return sonavel::threaded_process_status::progress_max;
    return std::size_t(std::uint64_t(done) * sonavel::threaded_process_status::progress_max / total);
}

bool analyze_same_values(SameValueInput& input, const SameValueServices& services,
                         sonavel::threaded_process_status& status, sonavel::abort_callback& abort, WriteList& out) {
    const auto script = compile_key_script(input, services);
    // A track listed twice in the playlist is one file: it is written once.
    std::unordered_set<const sonavel::metadb_handle*> decided;
    std::string previous_key;
    Group group;
    const std::size_t n = input.selected.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (abort.is_aborting()) return false;
        const metadb_handle_ptr& track = input.selected[i];
        status.set_item((std::string("Analyze ") + track->get_path()).c_str());
        status.set_progress(same_value_progress(i + 1, n));

        std::string key;
        try {
            script->run(track, nullptr, key);
        } catch (const std::exception&) {
            // The remaining tracks stay as they are; what was decided is still written.
            break;
        }
        if (key != previous_key) {
            group.clear();
            // An empty key names no group: the tracks without the pattern's text are left alone.
            if (key.empty()) {
                previous_key.clear();
                continue;
            }
            const Counting counted = count_library_values(input, services, key, abort, group);
            if (counted == Counting::cancelled) return false;
            // The previous key stays: a refused query is tried again for the next track of the same key.
            if (counted == Counting::refused) continue;
            previous_key = key;
            group.choose_best();
        }
        if (group.best.empty() || !decided.insert(track.get_ptr()).second) continue;
        if (auto record = retagged(track, input.field, group.best)) {
            out.tracks.push_back(track);
            out.records.push_back(std::move(*record));
        }
    }
    return true;
}

}  // namespace quennet
