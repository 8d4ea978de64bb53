#include "player/tagwriter/TagWriteJournal.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "player/tagwriter/Fingerprint.h"
#include "sdk/errors.h"

namespace player::tagwriter {
namespace {

constexpr char magic[] = {'V', 'P', 'T', 'J', 2, 0, 0, 0};

void put64(std::string& out, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) out += static_cast<char>(v >> (8 * i));
}
void put_text(std::string& out, const std::string& text) {
    put64(out, text.size());
    out += text;
}

// Tells a journal cut short by a crash from a complete one.
std::uint64_t checksum(const char* data, std::size_t size) {
    Fingerprint fingerprint;
    fingerprint.add(data, size);
    return fingerprint.hash();
}

class Reader {
public:
    Reader(const std::string& bytes, std::size_t end) : bytes_(bytes), end_(end) {}
    unsigned char u8() {
        need(1);
        return static_cast<unsigned char>(bytes_[at_++]);
    }
    std::uint64_t u64() {
        std::uint64_t v = 0;
        for (int i = 0; i < 8; ++i) v |= static_cast<std::uint64_t>(u8()) << (8 * i);
        return v;
    }
    std::string text() {
        std::uint64_t size = u64();
        need(size);
        std::string out = bytes_.substr(at_, static_cast<std::size_t>(size));
        at_ += static_cast<std::size_t>(size);
        return out;
    }
    bool done() const { return at_ == end_; }

private:
    void need(std::uint64_t n) const {
        if (n > end_ - at_) throw sonavel::exception_io_data();
    }
    const std::string& bytes_;
    std::size_t end_, at_ = sizeof magic;
};

std::string read_whole(const std::string& path) {
    DiskFile file(path, DiskFile::Mode::update);
    std::string bytes(file.size(), '\0');
    bytes.resize(file.read_at(0, bytes.data(), bytes.size()));
    return bytes;
}

}  // namespace

std::string render_journal(const std::vector<JournalEntry>& entries) {
    std::string out(magic, sizeof magic);
    for (const JournalEntry& entry : entries) {
        out += static_cast<char>(entry.kind);
        put_text(out, entry.path);
        put_text(out, entry.staged_path);
        put64(out, entry.identity.volume);
        put64(out, entry.identity.index);
        put64(out, entry.original_size);
        put64(out, entry.new_size);
        put64(out, entry.ranges.size());
        for (const auto& range : entry.ranges) {
            put64(out, range.offset);
            put_text(out, range.old_bytes);
            put_text(out, range.new_bytes);
        }
    }
    put64(out, checksum(out.data(), out.size()));
    return out;
}

std::vector<JournalEntry> parse_journal(const std::string& bytes, bool& complete) {
    complete = false;
    if (bytes.size() < sizeof magic + 8 || bytes.compare(0, sizeof magic, magic, sizeof magic) != 0) return {};
    std::size_t body = bytes.size() - 8;
    std::uint64_t stored = 0;
    for (int i = 0; i < 8; ++i) stored |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[body + i])) << (8 * i);
    if (stored != checksum(bytes.data(), body)) return {};
    std::vector<JournalEntry> entries;
    try {
        Reader in(bytes, body);
        while (!in.done()) {
            JournalEntry entry;
            entry.kind = static_cast<JournalEntry::Kind>(in.u8());
            if (entry.kind != JournalEntry::Kind::overwrite && entry.kind != JournalEntry::Kind::staged_copy) return {};
            entry.path = in.text();
            entry.staged_path = in.text();
            entry.identity.volume = in.u64();
            entry.identity.index = in.u64();
            entry.original_size = in.u64();
            entry.new_size = in.u64();
            for (std::uint64_t n = in.u64(); n > 0; --n) {
                JournalEntry::Range range;
                range.offset = in.u64();
                range.old_bytes = in.text();
                range.new_bytes = in.text();
                entry.ranges.push_back(std::move(range));
            }
            entries.push_back(std::move(entry));
        }
    } catch (const sonavel::exception_io_data&) {
        return {};
    }
    complete = true;
    return entries;
}

TagWriteJournal::TagWriteJournal(const std::string& folder, const std::string& name, IoFaults* faults)
    : path_(folder + "/" + name + ".journal"), faults_(faults) {}

void TagWriteJournal::record(const std::vector<JournalEntry>& entries) {
    std::string bytes = render_journal(entries);
    live_ = true;
    try {
        if (file_) file_->truncate(0);
        else file_.emplace(path_, DiskFile::Mode::replace, faults_);
        file_->write_at(0, bytes.data(), bytes.size());
        file_->flush();
    } catch (...) {
        // A journal that is not complete on disk protects nothing, and nothing was written yet.
        clear();
        throw;
    }
}

void TagWriteJournal::clear() noexcept {
    if (live_) {
        // Emptied while still held: a recovery that opens it between the close and the removal finds
        // nothing to put back over the finished writes.
        if (file_) {
            try {
                file_->truncate(0);
            } catch (const std::exception&) {
            }
        }
        file_.reset();
        DiskFile::remove(path_);
    }
    file_.reset();
    live_ = false;
}

void TagWriteJournal::keep(const std::vector<JournalEntry>& entries) {
    // The smaller journal replaces the whole one only once it is complete on disk: until then the whole
    // one stands (the next start puts back only files still as the writer left them).
    live_ = false;
    std::string bytes = render_journal(entries);
    std::string smaller = path_ + ".new";
    try {
        DiskFile file(smaller, DiskFile::Mode::replace, faults_);
        file.write_at(0, bytes.data(), bytes.size());
        file.flush();
        file.close();
        // The name can be taken over only once the whole journal is closed.
        file_.reset();
        DiskFile::replace(smaller, path_);
    } catch (...) {
        DiskFile::remove(smaller);
        throw;
    }
}

namespace {

bool folder_exists(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return true;
    std::error_code error;
    return std::filesystem::is_directory(std::filesystem::u8path(path.substr(0, slash + 1)), error);
}

// Every byte of every region is the old byte or the new one (a write cut short leaves a mix), and the
// size is the old or the new one: the file is as the writer left it, nobody else wrote it since.
bool as_left_by_the_writer(const DiskFile& file, const JournalEntry& entry) {
    std::uint64_t size = file.size();
    if (size != entry.original_size && size != entry.new_size) return false;
    for (const auto& range : entry.ranges) {
        std::size_t span = std::max(range.old_bytes.size(), range.new_bytes.size());
        std::string now(span, '\0');
        now.resize(file.read_at(range.offset, now.data(), span));
        for (std::size_t i = 0; i < now.size(); ++i) {
            bool old_byte = i < range.old_bytes.size() && now[i] == range.old_bytes[i];
            bool new_byte = i < range.new_bytes.size() && now[i] == range.new_bytes[i];
            if (!old_byte && !new_byte) return false;
        }
    }
    return true;
}

}  // namespace

bool roll_back(const JournalEntry& entry) {
    if (entry.kind == JournalEntry::Kind::staged_copy) {
        DiskFile::remove(entry.staged_path);
        return true;
    }
    std::optional<DiskFile> file;
    try {
        file.emplace(entry.path, DiskFile::Mode::update);
    } catch (const sonavel::exception_io_not_found&) {
        // A drive that is not there now may come back with the file on it.
        if (!folder_exists(entry.path)) throw;
        return false;
    }
    if (file->identity() != entry.identity || !as_left_by_the_writer(*file, entry)) return false;
    undo(*file, entry);
    return true;
}

void undo(DiskFile& file, const JournalEntry& entry) {
    for (const auto& range : entry.ranges) file.write_at(range.offset, range.old_bytes.data(), range.old_bytes.size());
    if (file.size() != entry.original_size) file.truncate(entry.original_size);
    file.flush();
}

std::vector<std::string> recover_tag_writes(const std::string& folder) {
    std::vector<std::string> report;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(std::filesystem::u8path(folder), error)) {
        if (item.path().extension() != ".journal") continue;
        std::string journal = item.path().u8string();
        std::string bytes;
        try {
            bytes = read_whole(journal);
        } catch (const sonavel::exception&) {
            continue;  // held open by a writer that is still running
        }
        bool complete = false;
        std::vector<JournalEntry> left;
        for (const JournalEntry& entry : parse_journal(bytes, complete)) {
            try {
                if (roll_back(entry) && entry.kind == JournalEntry::Kind::overwrite)
                    report.push_back("Tag write interrupted, file put back as it was: " + entry.path);
            } catch (const std::exception& e) {
                left.push_back(entry);
                report.push_back("Could not put back " + entry.path + " after an interrupted tag write: " +
                                 sonavel::message_of(e));
            }
        }
        // An incomplete journal was cut short before any file was touched. Entries that could not be
        // undone now are kept alone: those that were are never replayed over later writes.
        try {
            if (left.empty()) {
                DiskFile::remove(journal);
            } else {
                std::string rest = render_journal(left);
                DiskFile file(journal, DiskFile::Mode::replace);
                file.write_at(0, rest.data(), rest.size());
                file.flush();
            }
        } catch (const std::exception& e) {
            report.push_back("Could not update the journal " + journal + ": " + sonavel::message_of(e));
        }
    }
    return report;
}

}  // namespace player::tagwriter
