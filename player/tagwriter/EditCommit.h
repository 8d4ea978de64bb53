#pragma once
// Putting a file's byte edits on disk: in place when the audio stays where it is (the tag regions are
// overwritten under the protection of the journal), otherwise as a complete copy beside the file that
// is checked and then takes the file's place.
#include <string>

#include "player/tagwriter/ByteEdit.h"
#include "player/tagwriter/ByteSource.h"
#include "player/tagwriter/DiskFile.h"
#include "player/tagwriter/TagWriteJournal.h"

namespace player::tagwriter {

// The edits without the bytes they would rewrite unchanged (a tag rendered whole often differs from the
// file in a few bytes): less to journal, less to write. Edits that change nothing go.
ByteEdits narrowed(ByteEdits edits, const ByteSource& file);

// Every edit keeps its length, or only the last one changes it and it reaches the end of the file.
bool fits_in_place(const ByteEdits& edits, std::uint64_t file_size);

// The journal entry that undoes these edits of `file`.
JournalEntry overwrite_entry(const DiskFile& file, const std::string& path, const ByteEdits& edits);

// Writes the edits over the file (growing or cutting its end when the last edit changes length) and
// reads them back; throws the host's I/O errors, or exception_io_data when the file does not read back
// what was written. Does not flush.
void overwrite(DiskFile& file, const ByteEdits& edits, std::uint64_t original_size);

// Where the copy of `path` is made: its folder (so that it replaces the file by a rename), a name that
// is no track.
std::string staged_copy_path(const std::string& path);

// Writes the edited file as `copy_path`, flushes it and reads it back whole; throws (and removes the
// copy) when any of that fails.
void write_staged_copy(const ByteSource& original, const ByteEdits& edits, const std::string& copy_path,
                       IoFaults* faults);

}  // namespace player::tagwriter
