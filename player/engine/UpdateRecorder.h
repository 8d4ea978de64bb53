#pragma once
// Keeps what each tag update changes, before the files are written, so that it can be taken back.
// Implemented by the player's tag update history; the tag writing engine calls it.
#include <cstdint>
#include <string>
#include <vector>

#include "player/engine/TagStore.h"

namespace player {

class UpdateRecorder {
public:
    virtual ~UpdateRecorder() = default;
    // An update starts: its id. `origin` says what started it. Main thread.
    virtual std::int64_t begin_update(const std::string& origin) = 0;
    // Before a group of the update is written: what each write changes. A failure (thrown) keeps the
    // group from being written. The update's committing thread, one call at a time.
    virtual void record(std::int64_t update, const std::vector<TagWrite>& group) = 0;
    // After the group was written: which writes reached the files. The update's committing thread.
    virtual void record_outcomes(std::int64_t update, const std::vector<TagWrite>& group) = 0;
    // The update is over, before its completion runs. Main thread.
    virtual void end_update(std::int64_t update) = 0;
};

}  // namespace player
