#pragma once
// The player's tag writer: puts a track's new record into its file through TagLib. The file's tags then
// carry exactly the record's fields, every value of each; what a property map cannot express (pictures,
// unknown frames) stays. Worker thread; one file per call.
#include "player/engine/TagStore.h"

namespace player {

class TagLibTagStore final : public TagStore {
public:
    // Throws the host's I/O error when the file cannot be opened as audio, is read-only, cannot hold a
    // field of the record, or cannot be saved; the file is then left as it was.
    void write(const sonavel::metadb_handle_ptr& track, const sonavel::file_info& record,
               sonavel::abort_callback& abort) override;
};

}  // namespace player
