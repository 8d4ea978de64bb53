#pragma once
// The rollback journal of in-place tag writes. Before the tag regions of a group of files are
// overwritten, their old bytes (with each file's size and identity) go to a journal file that is flushed
// to disk; the overwrites follow, are flushed, and only then is the journal emptied. A process that ends
// in between leaves the journal: the next start puts the old bytes back, so each file is whole, either
// as it was or as written. Staged copies are recorded the same way, so that a copy left by a crash is
// removed at the next start.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "player/tagwriter/DiskFile.h"

namespace player::tagwriter {

struct JournalEntry {
    enum class Kind : std::uint8_t { overwrite = 1, staged_copy = 2 };
    struct Range {
        std::uint64_t offset = 0;
        std::string old_bytes;
        std::string new_bytes;
    };

    Kind kind = Kind::overwrite;
    std::string path;         // the file written
    std::string staged_path;  // the copy being made (staged_copy)
    FileIdentity identity;
    std::uint64_t original_size = 0;
    std::uint64_t new_size = 0;
    std::vector<Range> ranges;  // overwrite: what the written regions held, and what they get
};

class TagWriteJournal {
public:
    // The journal file `<folder>/<name>.journal`; `folder` must exist.
    TagWriteJournal(const std::string& folder, const std::string& name, IoFaults* faults = nullptr);
    // A journal still recorded stays on disk: whatever ended the work early, the next start repairs.
    ~TagWriteJournal() = default;
    TagWriteJournal(const TagWriteJournal&) = delete;
    TagWriteJournal& operator=(const TagWriteJournal&) = delete;

    // Puts these entries on disk (replacing any before); when this returns, they survive a crash. The
    // journal stays open, and so out of reach of another instance's recovery, until cleared or kept.
    void record(const std::vector<JournalEntry>& entries);
    // The writes the entries protect are complete and flushed: forget them.
    void clear() noexcept;
    // The writes of these entries could not be undone: only they stay on disk, for the next start, and
    // this object lets go of the file.
    void keep(const std::vector<JournalEntry>& entries);

private:
    std::string path_;
    IoFaults* faults_;
    std::optional<DiskFile> file_;
    bool live_ = false;
};

// Undoes an overwrite entry on the open file: the old bytes go back, the old size, then a flush.
void undo(DiskFile& file, const JournalEntry& entry);

// Undoes one entry on its file: the old bytes go back and the old size. Skips (returns false) a file
// that is gone, is another file by now, or holds in a region what is neither its old nor its new bytes
// (another program wrote it since: putting old bytes there would damage it). Throws the host's I/O
// errors, and when the file's folder cannot be reached (a drive not there now).
bool roll_back(const JournalEntry& entry);

// At start-up: rolls back every journal left in `folder` and removes the staged copies they name. Returns
// a line for the console per file that was put back or could not be; journals of a writer still running
// (held open) are left alone.
std::vector<std::string> recover_tag_writes(const std::string& folder);

// The journal format, for the recovery and its tests: nullopt-like empty result for a journal that was
// cut short or damaged (it was being written when the process ended, so no file was touched yet).
std::vector<JournalEntry> parse_journal(const std::string& bytes, bool& complete);
std::string render_journal(const std::vector<JournalEntry>& entries);

}  // namespace player::tagwriter
