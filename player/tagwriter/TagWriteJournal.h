#pragma once
// The rollback journal of in-place tag writes. Before the tag regions of a group of files are
// overwritten, their old bytes (with each file's size and identity) go to a journal file that is flushed
// to disk; the overwrites follow, are flushed, and only then is the journal emptied. A process that ends
// in between leaves the journal: the next start puts the old bytes back, so each file is whole, either
// as it was or as written. Staged copies are recorded the same way, so that a copy left by a crash is
// removed at the next start.
#include <cstdint>
#include <string>
#include <vector>

#include "player/tagwriter/DiskFile.h"

namespace player::tagwriter {

struct JournalEntry {
    enum class Kind : std::uint8_t { overwrite = 1, staged_copy = 2 };
    struct Range {
        std::uint64_t offset = 0;
        std::string old_bytes;
    };

    Kind kind = Kind::overwrite;
    std::string path;         // the file written
    std::string staged_path;  // the copy being made (staged_copy)
    FileIdentity identity;
    std::uint64_t original_size = 0;
    std::vector<Range> ranges;  // overwrite: what the written regions held
};

class TagWriteJournal {
public:
    // The journal file `<folder>/<name>.journal`; `folder` must exist.
    TagWriteJournal(const std::string& folder, const std::string& name, IoFaults* faults = nullptr);
    ~TagWriteJournal();
    TagWriteJournal(const TagWriteJournal&) = delete;
    TagWriteJournal& operator=(const TagWriteJournal&) = delete;

    // Puts these entries on disk (replacing any before); when this returns, they survive a crash.
    void record(const std::vector<JournalEntry>& entries);
    // The writes the entries protect are complete and flushed: forget them.
    void clear() noexcept;
    // A write it protects could not be undone: the journal stays on disk for the next start.
    void keep() noexcept { live_ = false; }

private:
    std::string path_;
    IoFaults* faults_;
    bool live_ = false;
};

// Undoes an overwrite entry on the open file: the old bytes go back, the old size, then a flush.
void undo(DiskFile& file, const JournalEntry& entry);

// Undoes one overwrite entry on its file: the old bytes go back and the file gets its old size. Skips
// (returns false) a file that is gone or is another file by now. Throws the host's I/O errors.
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
