#include "player/history/HistoryWindowDetails.h"

#include <map>
#include <tuple>

namespace player::history {
namespace {

std::string values_text(const ValueList& values) {
    if (values.empty()) return "(none)";
    std::string text;
    for (const auto& value : values) {
        if (!text.empty()) text += "; ";
        text += "\"" + value + "\"";
    }
    return text;
}

std::string file_name(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<std::string> describe_changes(const std::vector<FileChanges>& files, std::size_t most_lines,
                                          std::size_t most_names) {
    // The same change of a field in several files is one line; lines in the order first met.
    using change_key = std::tuple<std::string, ValueList, ValueList>;
    std::map<change_key, std::size_t> index;
    struct group {
        const FieldChange* change;
        std::vector<std::string> paths;
    };
    std::vector<group> groups;
    for (const auto& file : files) {
        for (const auto& change : file.fields) {
            change_key key{change.field, change.before, change.after};
            auto [at, added] = index.emplace(key, groups.size());
            if (added) groups.push_back({&change, {}});
            groups[at->second].paths.push_back(file.path);
        }
    }
    std::vector<std::string> lines;
    for (std::size_t g = 0; g < groups.size() && g < most_lines; ++g) {
        const auto& [change, paths] = groups[g];
        std::string line = change->field + ": " + values_text(change->before) + " -> " + values_text(change->after) + " (" +
                           std::to_string(paths.size()) + (paths.size() == 1 ? " file: " : " files: ");
        for (std::size_t n = 0; n < paths.size() && n < most_names; ++n) line += (n ? ", " : "") + file_name(paths[n]);
        if (paths.size() > most_names) line += " and " + std::to_string(paths.size() - most_names) + " more";
        lines.push_back(line + ")");
    }
    if (groups.size() > most_lines)
        lines.push_back("... and " + std::to_string(groups.size() - most_lines) + " more changes");
    return lines;
}

}  // namespace player::history
