#include "player/library/LibraryScan.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <unordered_set>

#include "sdk/errors.h"

namespace player::library {
namespace {

constexpr std::size_t max_readers = 4;

}  // namespace

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
    // Files are read by a few threads at once (under wine most of a read is waiting on the system), a
    // batch at a time; each batch keeps the order of the listing.
    const std::size_t readers =
        std::max<std::size_t>(1, std::min<std::size_t>(max_readers, std::thread::hardware_concurrency()));
    std::mutex progress_lock;
    ScanProgress status;
    status.total = to_read.size();
    for (std::size_t first = 0; first < to_read.size() && !abort.is_aborting(); first += batch_size) {
        const std::size_t count = std::min(batch_size, to_read.size() - first);
        std::vector<std::optional<sonavel::file_info_impl>> records(count);
        std::vector<std::string> failures(count);
        std::vector<char> finished(count, 0);
        std::atomic<std::size_t> next{0};
        auto read_some = [&] {
            for (std::size_t i; (i = next.fetch_add(1)) < count && !abort.is_aborting();) {
                const FoundFile& file = to_read[first + i];
                try {
                    records[i] = sources.read(file.path);
                } catch (const std::exception& e) {
                    failures[i] = sonavel::message_of(e);
                }
                finished[i] = 1;
                std::lock_guard<std::mutex> guard(progress_lock);
                ++status.done;
                status.path = file.path;
                progress(status);
            }
        };
        {
            std::vector<std::thread> helpers;
            for (std::size_t r = 1; r < std::min(readers, count); ++r) helpers.emplace_back(read_some);
            read_some();
            for (auto& helper : helpers) helper.join();
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (!finished[i]) continue;  // cut short
            FoundFile& file = to_read[first + i];
            if (records[i]) {
                current.found.push_back({std::move(file.path), file.stamp, std::move(*records[i])});
            } else if (sources.named_as_audio(file.path)) {
                std::string why = failures[i].empty() ? sonavel::exception_io_data().what() : failures[i];
                current.unreadable.push_back(file.path + ": " + why);
            }
        }
        flush();
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
