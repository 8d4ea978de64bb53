#include "panel/model/LibraryValueChange.h"

#include <algorithm>
#include <memory>

namespace quennet {
namespace {

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool contains(const std::vector<std::string>& list, const std::string& value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// What takes the changed value's place.
std::vector<std::string> replacement(const LibraryValueChange& change) {
    switch (change.kind) {
    case ValueChangeKind::rename:
        return {change.new_value};
    case ValueChangeKind::remove:
        return {};
    case ValueChangeKind::split:
        return split_value(change.value, change.separators);
    }
    return {};
}

bool is_changed_value(const LibraryValueChange& change, const std::string& v) {
    return v == change.value || (change.kind == ValueChangeKind::rename && contains(change.more_values, v));
}

bool carries_changed_value(const std::vector<std::string>& values, const LibraryValueChange& change) {
    return std::any_of(values.begin(), values.end(), [&](const std::string& v) { return is_changed_value(change, v); });
}

std::string file_name(const char* path) {
    const std::string p(path);
    const auto slash = p.find_last_of("\\/");
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

}  // namespace

std::vector<std::string> split_value(const std::string& value, const std::string& separators) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = separators.empty() ? std::string::npos : value.find_first_of(separators, start);
        std::string piece = trimmed(value.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (!piece.empty() && !contains(pieces, piece)) pieces.push_back(std::move(piece));
        if (at == std::string::npos) break;
        start = at + 1;
    }
    return pieces;
}

std::vector<std::string> changed_values(const std::vector<std::string>& values, const LibraryValueChange& change,
                                        bool& changed) {
    changed = false;
    if (!carries_changed_value(values, change)) return values;
    const std::vector<std::string> in_place = replacement(change);
    std::vector<std::string> out;
    out.reserve(values.size() + in_place.size());
    // What the change puts in appears once, at its first place; other values are left as they are.
    auto place = [&](const std::string& v) {
        if (contains(in_place, v) && contains(out, v)) return;
        out.push_back(v);
    };
    bool replaced = false;
    for (const std::string& v : values) {
        if (is_changed_value(change, v)) {
            // A value carried twice takes one place: the first.
            if (replaced) continue;
            replaced = true;
            for (const std::string& piece : in_place) place(piece);
            continue;
        }
        place(v);
    }
    changed = out != values;
    return out;
}

std::string refusal(const LibraryValueChange& change) {
    if (change.value.empty()) return "There is no value to change.";
    switch (change.kind) {
    case ValueChangeKind::rename: {
        const std::string to = trimmed(change.new_value);
        if (to.empty()) return "Please, enter the new value.";
        if (change.new_value.find(';') != std::string::npos) return "A value cannot hold ';'.";
        if (change.new_value == change.value && change.more_values.empty()) return "The new value is the value itself.";
        return std::string();
    }
    case ValueChangeKind::remove:
        return std::string();
    case ValueChangeKind::split: {
        const auto pieces = split_value(change.value, change.separators);
        if (pieces.size() < 2) return "The chosen separators do not split the value.";
        return std::string();
    }
    }
    return std::string();
}

sonavel::metadb_handle_list carrying_tracks(const sonavel::metadb_handle_list& library, const LibraryValueChange& change) {
    sonavel::metadb_handle_list out;
    sonavel::metadb_read_lock lock;
    for (const auto& track : library) {
        const sonavel::file_info* current = track->get_info_locked();
        if (!current) continue;
        const std::size_t field = current->meta_find(change.field);
        if (field == sonavel::file_info::npos) continue;
        for (std::size_t v = 0, n = current->meta_enum_value_count(field); v < n; ++v) {
            if (is_changed_value(change, current->meta_enum_value(field, v))) {
                out.push_back(track);
                break;
            }
        }
    }
    return out;
}

LibraryChangePlan plan_library_change(const sonavel::metadb_handle_list& library, const LibraryValueChange& change,
                                      std::size_t samples, bool with_records) {
    LibraryChangePlan plan;
    if (!refusal(change).empty()) return plan;
    sonavel::metadb_read_lock lock;
    std::vector<std::string> values;
    for (const auto& track : library) {
        const sonavel::file_info* current = track->get_info_locked();
        if (!current) continue;
        const std::size_t field = current->meta_find(change.field);
        if (field == sonavel::file_info::npos) continue;
        const std::size_t count = current->meta_enum_value_count(field);
        values.clear();
        bool carries = false;
        for (std::size_t v = 0; v < count; ++v) {
            values.emplace_back(current->meta_enum_value(field, v));
            carries = carries || is_changed_value(change, values.back());
        }
        if (!carries) continue;
        bool changed = false;
        std::vector<std::string> next = changed_values(values, change, changed);
        if (!changed) continue;
        if (change.kind == ValueChangeKind::rename && contains(values, change.new_value) &&
            std::any_of(values.begin(), values.end(),
                        [&](const std::string& v) { return v != change.new_value && is_changed_value(change, v); }))
            ++plan.carrying_both;
        if (plan.sample_paths.size() < samples) plan.sample_paths.push_back(file_name(track->get_path()));
        plan.writes.tracks.push_back(track);
        if (!with_records) continue;

        sonavel::file_info_impl record(*current);
        // The field keeps its place among the fields and its name's spelling: the new values go in front
        // of the old ones, which then go.
        if (next.empty()) {
            record.meta_remove_field(field);
        } else {
            for (std::size_t v = 0; v < next.size(); ++v) record.meta_insert_value_ex(field, v, next[v].data(), next[v].size());
            record.meta_remove_values(field, next.size(), count);
        }
        plan.writes.records.push_back(std::move(record));
    }
    return plan;
}

std::string thousands(std::size_t n) {
    std::string digits = std::to_string(n);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3) digits.insert(std::size_t(at), ",");
    return digits;
}

std::string change_summary(const LibraryValueChange& change, std::size_t files) {
    const std::string in_files = thousands(files) + (files == 1 ? " file" : " files");
    switch (change.kind) {
    case ValueChangeKind::rename: {
        // A merge names every value that takes the new one, except the new value itself.
        std::string names;
        std::vector<std::string> renamed{change.value};
        renamed.insert(renamed.end(), change.more_values.begin(), change.more_values.end());
        for (const std::string& v : renamed) {
            if (v == change.new_value) continue;
            names += (names.empty() ? "'" : ", '") + v + "'";
        }
        return "Rename " + names + " to '" + change.new_value + "' in " + in_files;
    }
    case ValueChangeKind::remove:
        return "Remove '" + change.value + "' from " + in_files;
    case ValueChangeKind::split:
        return "Split '" + change.value + "' into " +
               std::to_string(split_value(change.value, change.separators).size()) + " values in " + in_files;
    }
    return std::string();
}

std::string merge_note(const LibraryValueChange& change, std::size_t carrying_both) {
    if (change.kind != ValueChangeKind::rename || carrying_both == 0) return std::string();
    return "merge into '" + change.new_value + "' (" + thousands(carrying_both) +
           (carrying_both == 1 ? " file carries" : " files carry") + " both: they keep one)";
}

std::string change_origin(const LibraryValueChange& change) {
    switch (change.kind) {
    case ValueChangeKind::rename:
        return "Rename value in Varnel Panel";
    case ValueChangeKind::remove:
        return "Remove value in Varnel Panel";
    case ValueChangeKind::split:
        return "Split value in Varnel Panel";
    }
    return "Varnel Panel";
}

void apply_to_value_list(Options& options, const LibraryValueChange& change) {
    bool changed = false;
    std::vector<std::string> next = changed_values(options.tags, change, changed);
    if (!changed) return;
    options.clear_tags();
    for (const std::string& value : next) options.add_value(value);
}

}  // namespace quennet
