#pragma once
// Taking back a recorded tag update: the files get their recorded old values through the player's tag
// writing engine, as an update of its own (with its progress window and failure report, and recorded in
// turn, so that an undo can be taken back too). Files changed since the update are left alone and
// reported. Main thread.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "player/history/TagHistory.h"
#include "player/history/UndoFilter.h"

struct HWND__;

namespace player {
struct HostEngines;
}

namespace player::history {

struct UndoResult {
    std::int64_t target = 0;
    unsigned code = 0;  // completion_notify's code
    std::vector<SkippedFile> skipped;
};

// The origin of an update that takes back one with this origin: "Undo: ..." and, for an undo, "Redo: ...".
std::string undo_origin(const std::string& origin);

// One line per skipped file: "<path>: GENRE is "Blues", the update wrote "Jazz"".
std::string skipped_line(const SkippedFile& file);

// Starts taking back `update`; false when it is unknown or already taken back, or while another tag
// update runs. `done` runs after the
// write and the report.
bool start_undo(HostEngines& host, TagHistory& history, std::int64_t update, HWND__* parent,
                std::function<void(const UndoResult&)> done = {});

// Edit > "Undo tag update": the newest update not taken back yet; "Redo tag update": the newest undo not
// taken back yet. false when there is none.
bool undo_latest(HostEngines& host, TagHistory& history, HWND__* parent, std::function<void(const UndoResult&)> done = {});
bool redo_latest(HostEngines& host, TagHistory& history, HWND__* parent, std::function<void(const UndoResult&)> done = {});

}  // namespace player::history
