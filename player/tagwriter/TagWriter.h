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

class FlushPool;

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

private:
    std::string journal_name();

    std::string journal_folder_;
    IoFaults* faults_;
    std::atomic<unsigned> journals_{0};
    std::unique_ptr<FlushPool> flushes_;
};

// A file's fields as TagLib reads them; throws exception_io_data when TagLib does not know the file.
FieldMap read_fields(const std::string& path);

}  // namespace player::tagwriter
