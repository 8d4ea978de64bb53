#pragma once
// The library's side of the player's own tag writing: each written file the library holds gets its new
// record, size and time in the database right after the write, so that a later start (on any folder)
// shows what was written and does not take the player's own write for another program's. Called on a
// thread of the writing update; the connection it uses is its own.
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "player/engine/WrittenRecords.h"
#include "player/library/LibraryDatabase.h"
#include "player/library/LibraryScan.h"

namespace player::library {

// Kept when a file's size and time cannot be learned: no file has it, so the next scan reads the file.
inline constexpr FileStamp unknown_stamp = {-1, -1};

class RecordKeeper final : public WrittenRecords {
public:
    // `stamp` learns a file's size and time as a scan lists them; `kept` hears, on the worker, of each
    // group stored.
    RecordKeeper(std::string database_path, std::function<std::optional<FileStamp>(const std::string&)> stamp,
                 std::function<void(std::vector<FoundFile>)> kept);

    void written(const std::vector<std::pair<std::string, const sonavel::file_info*>>& records) override;

private:
    std::string path_;
    std::function<std::optional<FileStamp>(const std::string&)> stamp_;
    std::function<void(std::vector<FoundFile>)> kept_;
    std::mutex lock_;  // one update's group at a time on the connection
    std::unique_ptr<LibraryDatabase> database_;
};

}  // namespace player::library
