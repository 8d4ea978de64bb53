#include "player/library/LibraryScan.h"

#include <unordered_set>

#include "sdk/errors.h"

namespace player::library {

void scan_folders(const std::vector<std::string>& folders, const std::unordered_map<std::string, FileStamp>& known,
                  const ScanSources& sources, std::size_t batch_size, sonavel::abort_callback& abort,
                  const std::function<void(ScanBatch&&)>& batch, const std::function<void(const ScanProgress&)>& progress) {
    std::vector<FoundFile> to_read;
    std::unordered_set<std::string> seen;
    // A folder that lists nothing may be a drive not there now: its tracks are kept.
    std::vector<std::string> listed;
    for (const auto& folder : folders) {
        if (abort.is_aborting()) return;
        auto files = sources.list(folder);
        if (!files.empty()) listed.push_back(folder);
        for (auto& file : files) {
            if (!seen.insert(file.path).second) continue;
            auto at = known.find(file.path);
            if (at == known.end() || at->second != file.stamp) to_read.push_back(std::move(file));
        }
    }
    ScanBatch current;
    auto flush = [&] {
        if (current.found.empty() && current.removed.empty() && current.unreadable.empty()) return;
        batch(std::move(current));
        current = ScanBatch();
    };
    ScanProgress status;
    status.total = to_read.size();
    for (auto& file : to_read) {
        if (abort.is_aborting()) break;
        status.path = file.path;
        progress(status);
        std::optional<sonavel::file_info_impl> record;
        std::string why = sonavel::exception_io_data().what();
        try {
            record = sources.read(file.path);
        } catch (const std::exception& e) {
            why = sonavel::message_of(e);
        }
        if (record) {
            current.found.push_back({std::move(file.path), file.stamp, std::move(*record)});
        } else if (sources.named_as_audio(file.path)) {
            current.unreadable.push_back(file.path + ": " + why);
        }
        ++status.done;
        if (current.found.size() + current.unreadable.size() >= batch_size) flush();
    }
    if (!abort.is_aborting()) {
        // Only after a whole listing: a scan cut short knows too little to call a file gone.
        for (const auto& [path, stamp] : known) {
            if (seen.count(path)) continue;
            for (const auto& folder : listed) {
                if (is_below(path, folder)) {
                    current.removed.push_back(path);
                    break;
                }
            }
        }
    }
    flush();
}

}  // namespace player::library
