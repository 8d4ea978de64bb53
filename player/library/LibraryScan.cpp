#include "player/library/LibraryScan.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <system_error>
#include <thread>
#include <unordered_set>

#include "sdk/errors.h"

namespace player::library {
namespace {

// Readers at most; as many as the machine has processors up to this.
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
    // Files are read by a few threads (under some systems much of a read is waiting on the system); the
    // results are taken in the order of the listing by this thread, which reads as well.
    const std::size_t count = to_read.size();
    std::vector<std::optional<sonavel::file_info_impl>> records(count);
    std::vector<std::string> failures(count);
    auto finished = std::make_unique<std::atomic<bool>[]>(count);
    std::atomic<std::size_t> next{0};
    auto read_one = [&](std::size_t i) {
        try {
            records[i] = sources.read(to_read[i].path);
        } catch (const std::exception& e) {
            failures[i] = sonavel::message_of(e);
        }
        finished[i].store(true, std::memory_order_release);
    };
    std::atomic<bool> stop{false};
    auto read_rest = [&] {
        for (std::size_t i; !stop && !abort.is_aborting() && (i = next.fetch_add(1)) < count;) read_one(i);
    };
    ScanProgress status;
    status.total = count;
    std::size_t taken = 0;
    // Takes the results read so far in the order of the listing.
    auto take_ready = [&] {
        for (; taken < count && finished[taken].load(std::memory_order_acquire); ++taken) {
            FoundFile& file = to_read[taken];
            status.path = file.path;
            ++status.done;
            progress(status);
            if (records[taken]) {
                current.found.push_back({std::move(file.path), file.stamp, std::move(*records[taken])});
                records[taken].reset();
            } else if (sources.named_as_audio(file.path)) {
                std::string why = failures[taken].empty() ? sonavel::exception_io_data().what() : failures[taken];
                current.unreadable.push_back(file.path + ": " + why);
            }
            if (current.found.size() + current.unreadable.size() >= batch_size) flush();
        }
    };
    {
        // The helpers stop and are joined however this block is left (a callback may throw).
        struct Readers {
            std::atomic<bool>& stop;
            std::vector<std::thread> threads;
            ~Readers() {
                stop = true;
                for (auto& thread : threads) thread.join();
            }
        } helpers{stop, {}};
        const std::size_t readers =
            sources.readers ? sources.readers
                            : std::min<std::size_t>(max_readers, std::max(1u, std::thread::hardware_concurrency()));
        try {
            for (std::size_t r = 1; r < readers && r < count; ++r) helpers.threads.emplace_back(read_rest);
        } catch (const std::system_error&) {
            // Fewer readers: this thread reads what they do not.
        }
        for (std::size_t i; !abort.is_aborting() && (i = next.fetch_add(1)) < count;) {
            read_one(i);
            take_ready();
        }
    }
    // What was read before an abort, up to the first file left unread.
    take_ready();
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
