#pragma once
// Where the tag writer puts new records: files (through TagLib in the player) or memory (in tests).
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "sdk/abort.h"
#include "sdk/file_info.h"
#include "sdk/metadb.h"

namespace player {

class TagStore {
public:
    virtual ~TagStore() = default;
    // Writes the record into the track's file; throws the host's errors when it cannot. Worker thread.
    virtual void write(const sonavel::metadb_handle_ptr& track, const sonavel::file_info& record,
                       sonavel::abort_callback& abort) = 0;
};

// Keeps what was written, by location, and can be told to refuse locations (a read-only file).
class MemoryTagStore final : public TagStore {
public:
    void write(const sonavel::metadb_handle_ptr& track, const sonavel::file_info& record,
               sonavel::abort_callback& abort) override;

    void refuse(const std::string& path);
    // Locations in the order they were written (a location written twice appears twice).
    std::vector<std::string> written() const;
    void clear_log();

private:
    mutable std::mutex lock_;
    std::set<std::string> refused_;
    std::vector<std::string> written_;
};

}  // namespace player
