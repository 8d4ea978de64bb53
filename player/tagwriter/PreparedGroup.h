#pragma once
// A group of files the tag writer has opened, checked and edited (TagWriter::prepare) and whose edits
// wait for TagWriter::commit: the files to write, in place or as a copy, still open (others may only
// read them), and the results already decided (failed, changed elsewhere, nothing to change). Nothing of
// a group is written before its commit; dropped without one, it writes nothing.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "player/tagwriter/ByteEdit.h"
#include "player/tagwriter/DiskFile.h"
#include "player/tagwriter/TagWriteJournal.h"
#include "player/tagwriter/TagWriter.h"

namespace player::tagwriter {

struct PlannedOverwrite {
    std::size_t index;  // in the group's updates
    DiskFile file;
    ByteEdits edits;
    JournalEntry entry;
};

// A file whose tag no longer fits: written as a checked copy that takes its place.
struct PlannedCopy {
    std::size_t index;
    std::string path;
    DiskFile file;
    ByteEdits edits;
};

class PreparedGroup {
public:
    PreparedGroup(PreparedGroup&&) noexcept = default;
    PreparedGroup& operator=(PreparedGroup&&) noexcept = default;
    PreparedGroup(const PreparedGroup&) = delete;
    PreparedGroup& operator=(const PreparedGroup&) = delete;
    ~PreparedGroup() = default;

private:
    friend class TagWriter;
    PreparedGroup(std::size_t size, std::unique_ptr<TagWriteJournal> journal)
        : results(size), journal(std::move(journal)) {}

    std::vector<UpdateResult> results;
    std::vector<PlannedOverwrite> planned;
    std::vector<PlannedCopy> copies;
    std::unique_ptr<TagWriteJournal> journal;  // the group's own: another group may be committed meanwhile
};

}  // namespace player::tagwriter
