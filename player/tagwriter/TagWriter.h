#pragma once
// The player's tag writer: changes the given fields of audio files and nothing else. Each file is opened
// once; the fields are checked against the values the update was composed from (a file changed by
// another program since is not written); the edits are made by the format's own editor (MPEG and FLAC
// tags byte for byte) or through TagLib, and go to disk in place under a rollback journal, or as a
// checked copy that replaces the file. Worker thread.
#include <atomic>
#include <functional>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "player/tagwriter/DiskFile.h"
#include "player/tagwriter/FieldEdit.h"

namespace player::tagwriter {

// A file's fields as the player reads them: upper-case names, every value in order, UTF-8.
using FieldMap = std::map<std::string, std::vector<std::string>>;

struct FileUpdate {
    std::string path;  // UTF-8
    FieldEdits edits;
    // The values each edited field had when the update was composed (absent: it had none).
    FieldMap expected;
    // The fingerprint of the tags after the audio (APE, ID3v1) when the update was composed; the writer
    // rewrites them too. Absent: not known, not compared.
    std::optional<std::uint64_t> expected_end_tags;
};

struct UpdateResult {
    enum class Status { written, changed_elsewhere, failed, skipped };
    Status status = Status::skipped;
    std::string message;  // why it failed, for the user
    // After changed_elsewhere: the file's fields now, for the player's record.
    FieldMap fields_on_disk;
    // After written or changed_elsewhere: the fingerprint of the tags after the audio as the file holds
    // them now, for the player's record.
    std::optional<std::uint64_t> end_tags;
};

class TaskPool;
class PreparedGroup;
struct PlannedOverwrite;
struct PlannedCopy;

class TagWriter {
public:
    // Journals go to `journal_folder` (the player's own folder: not beside the music, where every new
    // name costs a folder scan on some systems).
    explicit TagWriter(std::string journal_folder, IoFaults* faults = nullptr);
    ~TagWriter();

    // Writes every update; results in the same order. `proceed(done)` is asked before each file and
    // stops the work (the rest skipped) when it says no.
    std::vector<UpdateResult> write(const std::vector<FileUpdate>& updates,
                                    const std::function<bool(std::size_t done)>& proceed);

    // The same for one group of files (a few dozen), in two steps, so that one group's files can go to
    // disk while the next group is checked on another thread. prepare opens and checks every file and
    // composes its edits, writing nothing; commit puts them on disk, in place under a journal of the
    // group's own or as copies that take the files' places, and returns every result. One commit at a
    // time; a prepare may run beside it. A group's files stay open from their check to the end of its
    // commit, others allowed only to read them: the same file under another name in a group checked
    // meanwhile fails as in use, and is never written from a reading another write makes stale.
    PreparedGroup prepare(const std::vector<FileUpdate>& updates,
                          const std::function<bool(std::size_t done)>& proceed);
    std::vector<UpdateResult> commit(PreparedGroup group);

private:
    std::string journal_name();
    // Checks and edits one file of a group: a file to write is planned, in place or as a copy.
    void prepare_file(PreparedGroup& group, std::size_t index, const FileUpdate& update,
                      std::optional<PlannedOverwrite>& in_place, std::optional<PlannedCopy>& copy);
    // Writes a planned copy and puts it in the file's place, its name in the group's journal meanwhile.
    void write_copy(PreparedGroup& group, PlannedCopy& copy);
    // Overwrites the planned files under the group's journal, flushes them and forgets the journal; a
    // file that fails is put back at once.
    void commit_in_place(PreparedGroup& group, std::vector<UpdateResult>& results);

    std::string journal_folder_;
    IoFaults* faults_;
    std::atomic<unsigned> journals_{0};
    std::unique_ptr<TaskPool> flushes_;
    std::unique_ptr<TaskPool> checks_;  // threads that check a group's files beside the caller's
};

// A file's fields as TagLib reads them; throws exception_io_data when TagLib does not know the file.
FieldMap read_fields(const std::string& path);

}  // namespace player::tagwriter
