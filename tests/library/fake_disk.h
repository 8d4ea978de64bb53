#pragma once
// A music folder held in memory for library scans: files with a size, a time and tags (or none, for a
// file named as audio that cannot be read). Scans run on a worker: every call locks.
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "player/engine/HostEngines.h"
#include "player/library/LibraryScan.h"
#include "player/library/PathCase.h"

namespace library_test {

class FakeDisk {
public:
    void put(const std::string& path, const player::FieldValues& fields, std::int64_t size = 1000) {
        std::lock_guard<std::mutex> guard(lock_);
        files_[path] = {{size, ++clock_}, player::HostEngines::make_record(fields)};
    }
    void put_unreadable(const std::string& path) {
        std::lock_guard<std::mutex> guard(lock_);
        files_[path] = {{7, ++clock_}, std::nullopt};
    }
    // The player wrote a record into the file: it grows a little and its time moves on.
    void put_record(const std::string& path, const sonavel::file_info& record) {
        std::lock_guard<std::mutex> guard(lock_);
        auto& file = files_[path];
        file.stamp = {file.stamp.size + 10, ++clock_};
        file.record = sonavel::file_info_impl(record);
    }
    void remove(const std::string& path) {
        std::lock_guard<std::mutex> guard(lock_);
        files_.erase(path);
    }
    std::size_t reads() const {
        std::lock_guard<std::mutex> guard(lock_);
        return reads_;
    }

    player::library::ScanSources sources() {
        player::library::ScanSources s;
        s.list = [this](const std::string& folder) {
            std::lock_guard<std::mutex> guard(lock_);
            std::vector<player::library::FoundFile> out;
            // As the system lists a folder: its name as given, then the names as they are on disk.
            for (const auto& [path, file] : files_)
                if (player::library::is_below(path, folder)) out.push_back({folder + path.substr(folder.size()), file.stamp});
            return out;
        };
        s.stamp = [this](const std::string& path) -> std::optional<player::library::FileStamp> {
            std::lock_guard<std::mutex> guard(lock_);
            auto at = find(path);
            if (at == files_.end()) return std::nullopt;
            return at->second.stamp;
        };
        s.read = [this](const std::string& path) -> std::optional<sonavel::file_info_impl> {
            std::optional<sonavel::file_info_impl> record = read(path);
            if (after_read) after_read(path);
            return record;
        };
        s.named_as_audio = [](const std::string& path) { return path.size() > 4 && path.substr(path.size() - 4) == ".mp3"; };
        return s;
    }
    // Runs on the scan's worker after each file was read, before the scan goes on (tests hold it there).
    std::function<void(const std::string&)> after_read;

private:
    std::optional<sonavel::file_info_impl> read(const std::string& path) {
        std::lock_guard<std::mutex> guard(lock_);
        ++reads_;
        auto at = find(path);
        if (at == files_.end()) return std::nullopt;
        return at->second.record;
    }

    struct file {
        player::library::FileStamp stamp;
        std::optional<sonavel::file_info_impl> record;
    };
    // Names are found in any letter case, as on Windows.
    std::map<std::string, file>::iterator find(const std::string& path) {
        for (auto at = files_.begin(); at != files_.end(); ++at)
            if (player::library::same_path(at->first, path)) return at;
        return files_.end();
    }

    mutable std::mutex lock_;
    std::map<std::string, file> files_;
    std::int64_t clock_ = 0;
    std::size_t reads_ = 0;
};

}  // namespace library_test
