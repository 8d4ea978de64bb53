#pragma once
// A compiled script as the SDK hands it out.
#include <string>

#include "player/engine/titleformat/FormatScratch.h"
#include "player/engine/titleformat/Script.h"
#include "sdk/titleformat.h"

namespace player {

class TitleformatObject : public sonavel::titleformat_object {
public:
    using interface_t = sonavel::titleformat_object;

    explicit TitleformatObject(titleformat::Script script) : script_(std::move(script)) {}

    // Without `info`, reads the track's record under the database read lock (a host is needed then); a
    // track without a record formats as if every field were missing.
    void run(const sonavel::metadb_handle_ptr& track, const sonavel::file_info* info, std::string& out) override;

    // Formats a track whose record the caller has already read under the lock.
    void run_locked(const sonavel::metadb_handle* track, const sonavel::file_info* info, std::string& out,
                    titleformat::FormatScratch& scratch) const;

    const titleformat::Script& script() const noexcept { return script_; }

private:
    titleformat::Script script_;
};

}  // namespace player
