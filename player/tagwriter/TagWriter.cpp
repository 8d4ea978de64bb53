#include "player/tagwriter/TagWriter.h"

#include <algorithm>
#include <cctype>
#include <atomic>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

#include <apetag.h>
#include <flacfile.h>
#include <fileref.h>
#include <id3v2tag.h>
#include <mpegfile.h>
#include <tpropertymap.h>

#include "player/tagwriter/DiskSource.h"
#include "player/tagwriter/EditCommit.h"
#include "player/tagwriter/EditedSource.h"
#include "player/tagwriter/EndTags.h"
#include "player/tagwriter/TaskPool.h"
#include "player/tagwriter/FormatEditors.h"
#include "player/tagwriter/OverlayStream.h"
#include "player/tagwriter/PreparedGroup.h"
#include "player/tagwriter/SizeLimit.h"
#include "player/tagwriter/TagProperties.h"
#include "player/tagwriter/TagWriteJournal.h"
#include "sdk/errors.h"

namespace player::tagwriter {
namespace {

// Files whose overwrites share one journal flush.
constexpr std::size_t group_size = 64;
// Threads besides the writer's own that flush a group's files side by side.
constexpr std::size_t flush_helpers = 7;
// At most this many threads check a group's files side by side: opening and reading a file costs the
// processor more than the disk, so more threads than processors gain nothing.
constexpr unsigned max_checkers = 4;

std::size_t check_helpers() {
    return std::min(max_checkers, std::max(1u, std::thread::hardware_concurrency())) - 1;
}

TagLib::String taglib(const std::string& text) { return to_taglib(text); }

// TagLib on the file's bytes, reading through the overlay so that a save lands in memory.
class OpenTags {
public:
    OpenTags(const ByteSource& bytes, const std::string& path)
        : stream_(addressable(bytes), path), ref_(&stream_, !checked_by_its_header(path), TagLib::AudioProperties::Fast) {
        // TagLib takes junk with a known extension for a file with empty tags: only audio is audio, and
        // only audio gets a tag.
        if (ref_.isNull() || !ref_.file()->isValid()) throw sonavel::exception_io_data();
        if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(ref_.file())) {
            if (mpeg->firstFrameOffset() < 0) throw sonavel::exception_io_data();
        } else if (!dynamic_cast<TagLib::FLAC::File*>(ref_.file())) {
            if (!ref_.audioProperties() || ref_.audioProperties()->sampleRate() <= 0) throw sonavel::exception_io_data();
        }
    }
    TagLib::File& file() { return *ref_.file(); }
    OverlayStream& stream() { return stream_; }

private:
    static const ByteSource& addressable(const ByteSource& bytes) {
        fill_taglib_name_tables();
        check_taglib_can_address(bytes.size());
        return bytes;
    }

    // MPEG and FLAC files prove to be audio by their first frame and their stream information, which
    // TagLib checks without measuring the audio (for MPEG that means reading from the end backwards).
    static bool checked_by_its_header(const std::string& path) {
        std::size_t dot = path.find_last_of('.');
        if (dot == std::string::npos) return false;
        std::string extension;
        for (char c : path.substr(dot + 1)) extension += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return extension == "mp3" || extension == "flac";
    }

    OverlayStream stream_;
    TagLib::FileRef ref_;
};

FieldMap fields_of(TagLib::File& file) { return to_field_map(file.properties()); }

// The values of the field named `name` exactly as to_field_map would name it: TagLib's map finds names
// in any case, the writer's fields only as TagLib spells them.
std::vector<std::string> values_of(const TagLib::PropertyMap& properties, const std::string& name) {
    std::vector<std::string> values;
    const auto found = properties.find(to_taglib(name));
    if (found == properties.end() || to_utf8(found->first) != name) return values;
    for (const auto& value : found->second) values.push_back(to_utf8(value));
    return values;
}

const std::vector<std::string>& values_of(const FieldMap& fields, const std::string& name) {
    static const std::vector<std::string> none;
    auto found = fields.find(name);
    return found == fields.end() ? none : found->second;
}

// The fields changed through TagLib's property map: for formats without an exact editor. Fields the
// format cannot hold fail the file rather than vanish.
ByteEdits edit_through_taglib(OpenTags& tags, const FieldEdits& edits) {
    TagLib::File& file = tags.file();
    TagLib::PropertyMap map = file.properties();
    for (const FieldEdit& edit : edits) {
        map.erase(taglib(edit.name));
        TagLib::StringList values;
        for (const auto& value : edit.values) values.append(taglib(value));
        if (!values.isEmpty()) map.insert(taglib(edit.name), values);
    }
    TagLib::PropertyMap refused = file.setProperties(map);
    // An MPEG file's own setting leaves its APE tag alone: readers that prefer that tag would go on
    // showing the old values. Only the edited fields change there; the APE tag's own fields stay.
    if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(&file); mpeg && mpeg->hasAPETag()) {
        TagLib::PropertyMap ape = mpeg->APETag()->properties();
        for (const FieldEdit& edit : edits) {
            ape.erase(taglib(edit.name));
            if (map.contains(taglib(edit.name))) ape.insert(taglib(edit.name), map[taglib(edit.name)]);
        }
        mpeg->APETag()->setProperties(ape);
    }
    for (const FieldEdit& edit : edits)
        if (refused.contains(taglib(edit.name))) throw sonavel::exception_io_data();
    bool saved;
    if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(&file)) {
        int which = TagLib::MPEG::File::ID3v2;
        if (mpeg->hasID3v1Tag()) which |= TagLib::MPEG::File::ID3v1;
        if (mpeg->hasAPETag()) which |= TagLib::MPEG::File::APE;
        // Only tags the exact editor declines come here. TagLib's ID3v2.3 rendering drops values (genres
        // beyond the first, moods), so such a tag becomes 2.4: every value is kept.
        saved = mpeg->save(which, TagLib::File::StripNone, TagLib::ID3v2::v4, TagLib::File::DoNotDuplicate);
    } else {
        saved = file.save();
    }
    if (!saved) throw sonavel::exception_io_data();
    return tags.stream().edits();
}

std::string message_of(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return sonavel::message_of(e);
    }
}

// Flushes the files that were written without error, several at a time when a pool is given. A failed
// flush becomes the file's error.
void flush_all(std::vector<PlannedOverwrite>& planned, std::vector<std::exception_ptr>& errors, TaskPool* pool) {
    auto flush = [&](std::size_t k) {
        if (errors[k]) return;
        try {
            planned[k].file.flush();
        } catch (...) {
            errors[k] = std::current_exception();
        }
    };
    if (pool) {
        pool->for_each(planned.size(), flush);
    } else {
        for (std::size_t k = 0; k < planned.size(); ++k) flush(k);
    }
}

// Closes the group's files, several at a time when a pool is given: where each close is a request to
// the system's file server, one after the other they add up.
void close_all(std::vector<PlannedOverwrite>& planned, TaskPool* pool) {
    if (pool) {
        pool->for_each(planned.size(), [&](std::size_t k) { planned[k].file.close(); });
    } else {
        for (PlannedOverwrite& p : planned) p.file.close();
    }
}

}  // namespace

// A journal name no other write of this process or of another running one takes: a kept journal is
// never written over.
std::string TagWriter::journal_name() {
    for (;;) {
        std::string name = "tagwrite-" + std::to_string(current_process_id()) + "-" + std::to_string(journals_++);
        if (!DiskFile::exists(journal_folder_ + "/" + name + ".journal")) return name;
    }
}

FieldMap read_fields(const std::string& path) {
    DiskFile file(path, DiskFile::Mode::read);
    DiskSource bytes(file);
    OpenTags tags(bytes, path);
    return fields_of(tags.file());
}

// Injected faults count every file's operations in one place: their checks and flushes stay on one thread.
TagWriter::TagWriter(std::string journal_folder, IoFaults* faults)
    : journal_folder_(std::move(journal_folder)),
      faults_(faults),
      flushes_(faults ? nullptr : std::make_unique<TaskPool>(flush_helpers)),
      checks_(faults || check_helpers() == 0 ? nullptr : std::make_unique<TaskPool>(check_helpers())) {}

TagWriter::~TagWriter() = default;

std::vector<UpdateResult> TagWriter::write(const std::vector<FileUpdate>& updates,
                                           const std::function<bool(std::size_t done)>& proceed) {
    std::vector<UpdateResult> results;
    results.reserve(updates.size());
    for (std::size_t first = 0; first < updates.size(); first += group_size) {
        std::vector<FileUpdate> group(updates.begin() + first, updates.begin() + std::min(updates.size(), first + group_size));
        std::vector<UpdateResult> done = commit(prepare(group, [&](std::size_t i) { return proceed(first + i); }));
        const bool stopped = std::any_of(done.begin(), done.end(),
                                         [](const UpdateResult& r) { return r.status == UpdateResult::Status::skipped; });
        for (auto& result : done) results.push_back(std::move(result));
        if (stopped) break;
    }
    results.resize(updates.size());
    return results;
}

PreparedGroup TagWriter::prepare(const std::vector<FileUpdate>& updates,
                                 const std::function<bool(std::size_t done)>& proceed) {
    PreparedGroup group(updates.size(), std::make_unique<TagWriteJournal>(journal_folder_, journal_name(), faults_));
    std::vector<std::optional<PlannedOverwrite>> in_place(updates.size());
    std::vector<std::optional<PlannedCopy>> copies(updates.size());
    std::atomic<bool> stopped{false};
    auto check = [&](std::size_t i) {
        if (stopped || !proceed(i)) {
            stopped = true;
            return;
        }
        try {
            prepare_file(group, i, updates[i], in_place[i], copies[i]);
        } catch (const std::exception& e) {
            group.results[i].status = UpdateResult::Status::failed;
            group.results[i].message = sonavel::message_of(e);
        }
    };
    if (checks_) {
        checks_->for_each(updates.size(), check);
    } else {
        for (std::size_t i = 0; i < updates.size() && !stopped; ++i) check(i);
    }
    for (auto& file : in_place)
        if (file) group.planned.push_back(std::move(*file));
    for (auto& file : copies)
        if (file) group.copies.push_back(std::move(*file));
    return group;
}

void TagWriter::prepare_file(PreparedGroup& group, std::size_t i, const FileUpdate& update,
                             std::optional<PlannedOverwrite>& in_place, std::optional<PlannedCopy>& copy) {
    UpdateResult& result = group.results[i];
    DiskFile file(update.path, DiskFile::Mode::update, faults_);
    DiskSource bytes(file);
    OpenTags tags(bytes, update.path);
    const TagLib::PropertyMap now = tags.file().properties();
    const std::uint64_t end_tags_now = end_tags_fingerprint(bytes);
    // TagLib's fields come from the file's main tag; the tags after the audio, which the edit rewrites as
    // well, are compared by their fingerprint.
    bool changed_elsewhere = update.expected_end_tags && *update.expected_end_tags != end_tags_now;
    for (const FieldEdit& edit : update.edits)
        if (values_of(now, edit.name) != values_of(update.expected, edit.name)) changed_elsewhere = true;
    result.end_tags = end_tags_now;
    if (changed_elsewhere) {
        result.status = UpdateResult::Status::changed_elsewhere;
        result.message = "Its tags were changed by another program; it was not written";
        result.fields_on_disk = to_field_map(now);
        return;
    }
    std::optional<ByteEdits> exact = edit_exactly(tags.file(), bytes, update.edits);
    ByteEdits edits = narrowed(exact ? std::move(*exact) : edit_through_taglib(tags, update.edits), bytes);
    result.end_tags = end_tags_fingerprint(EditedSource(bytes, edits));
    if (edits.empty()) {
        result.status = UpdateResult::Status::written;
    } else if (fits_in_place(edits, bytes.size())) {
        JournalEntry entry = overwrite_entry(file, update.path, edits);
        in_place.emplace(PlannedOverwrite{i, std::move(file), std::move(edits), std::move(entry)});
    } else {
        copy.emplace(PlannedCopy{i, update.path, std::move(file), std::move(edits)});
    }
}

void TagWriter::write_copy(PreparedGroup& group, PlannedCopy& copy) {
    JournalEntry entry;
    entry.kind = JournalEntry::Kind::staged_copy;
    entry.path = copy.path;
    entry.staged_path = staged_copy_path(copy.path);
    try {
        // The copy's name is on disk before the copy, so a crash never leaves a copy unknown.
        group.journal->record({entry});
        write_staged_copy(DiskSource(copy.file), copy.edits, entry.staged_path, faults_);
        copy.file.close();
        try {
            DiskFile::replace(entry.staged_path, copy.path);
        } catch (...) {
            DiskFile::remove(entry.staged_path);
            throw;
        }
    } catch (...) {
        group.journal->clear();
        throw;
    }
    group.journal->clear();
}

std::vector<UpdateResult> TagWriter::commit(PreparedGroup group) {
    std::vector<UpdateResult> results = std::move(group.results);
    auto fail = [&](std::size_t i, const std::exception& e) {
        results[i].status = UpdateResult::Status::failed;
        results[i].message = sonavel::message_of(e);
    };
    // The copies first: the in-place writes may leave the journal kept for the next start.
    for (PlannedCopy& copy : group.copies) {
        try {
            write_copy(group, copy);
            results[copy.index].status = UpdateResult::Status::written;
        } catch (const std::exception& e) {
            fail(copy.index, e);
        }
    }
    commit_in_place(group, results);
    return results;
}

void TagWriter::commit_in_place(PreparedGroup& group, std::vector<UpdateResult>& results) {
    std::vector<PlannedOverwrite>& planned = group.planned;
    if (planned.empty()) return;
    auto fail = [&](std::size_t i, const std::exception& e) {
        results[i].status = UpdateResult::Status::failed;
        results[i].message = sonavel::message_of(e);
    };
    std::vector<JournalEntry> entries;
    for (const PlannedOverwrite& p : planned) entries.push_back(p.entry);
    try {
        group.journal->record(entries);
    } catch (const std::exception& e) {
        for (const PlannedOverwrite& p : planned) fail(p.index, e);
        return;
    }
    std::vector<std::exception_ptr> errors(planned.size());
    for (std::size_t k = 0; k < planned.size(); ++k) {
        try {
            overwrite(planned[k].file, planned[k].edits, planned[k].entry.original_size);
        } catch (...) {
            errors[k] = std::current_exception();
        }
    }
    flush_all(planned, errors, flushes_.get());
    std::vector<JournalEntry> not_undone;
    for (std::size_t k = 0; k < planned.size(); ++k) {
        PlannedOverwrite& p = planned[k];
        if (!errors[k]) {
            results[p.index].status = UpdateResult::Status::written;
            continue;
        }
        results[p.index].status = UpdateResult::Status::failed;
        results[p.index].message = message_of(errors[k]);
        try {
            undo(p.file, p.entry);
        } catch (const std::exception&) {
            not_undone.push_back(p.entry);
        }
    }
    if (not_undone.empty()) {
        group.journal->clear();
    } else {
        // Only the files whose undo failed stay in the journal, for the next start; the files that were
        // written are never put back. Later groups have journals of their own.
        try {
            group.journal->keep(not_undone);
        } catch (const std::exception&) {
            // The journal on disk still holds every entry of the group; the next start puts back only
            // files still as this writer left them.
        }
    }
    close_all(planned, flushes_.get());
}

}  // namespace player::tagwriter
