#include "player/tagwriter/EditCommit.h"

#include <functional>
#include <thread>

#include "player/tagwriter/Fingerprint.h"
#include "sdk/errors.h"


namespace player::tagwriter {
namespace {

constexpr std::size_t chunk = 1 << 20;

std::uint64_t edited_size(const ByteEdits& edits, std::uint64_t size) {
    for (const ByteEdit& edit : edits) size = size - edit.length + edit.bytes.size();
    return size;
}

}  // namespace

ByteEdits narrowed(ByteEdits edits, const ByteSource& file) {
    ByteEdits out;
    for (ByteEdit& edit : edits) {
        if (edit.bytes.size() != edit.length) {
            out.push_back(std::move(edit));
            continue;
        }
        const std::string old = file.read(edit.offset, edit.bytes.size());
        std::size_t first = 0, end = old.size();
        while (first < end && old[first] == edit.bytes[first]) ++first;
        while (end > first && old[end - 1] == edit.bytes[end - 1]) --end;
        if (first == end) continue;
        out.push_back({edit.offset + first, end - first, edit.bytes.substr(first, end - first)});
    }
    return out;
}

bool fits_in_place(const ByteEdits& edits, std::uint64_t file_size) {
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const ByteEdit& edit = edits[i];
        bool last = i + 1 == edits.size();
        if (edit.bytes.size() != edit.length && !(last && edit.offset + edit.length == file_size)) return false;
    }
    return true;
}

JournalEntry overwrite_entry(const DiskFile& file, const std::string& path, const ByteEdits& edits) {
    JournalEntry entry;
    entry.kind = JournalEntry::Kind::overwrite;
    entry.path = path;
    entry.identity = file.identity();
    entry.original_size = file.size();
    entry.new_size = edited_size(edits, entry.original_size);
    for (const ByteEdit& edit : edits) {
        JournalEntry::Range range{edit.offset, std::string(static_cast<std::size_t>(edit.length), '\0'), edit.bytes};
        if (file.read_at(edit.offset, range.old_bytes.data(), range.old_bytes.size()) != range.old_bytes.size())
            throw sonavel::exception_io_data_truncation();
        entry.ranges.push_back(std::move(range));
    }
    return entry;
}

void overwrite(DiskFile& file, const ByteEdits& edits, std::uint64_t original_size) {
    for (const ByteEdit& edit : edits) file.write_at(edit.offset, edit.bytes.data(), edit.bytes.size());
    std::uint64_t size = edited_size(edits, original_size);
    if (size < original_size) file.truncate(size);
    if (file.size() != size) throw sonavel::exception_io_data();
    for (const ByteEdit& edit : edits) {
        std::string back(edit.bytes.size(), '\0');
        if (file.read_at(edit.offset, back.data(), back.size()) != back.size() || back != edit.bytes)
            throw sonavel::exception_io_data();
    }
}

std::string staged_copy_path(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    std::size_t name_at = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, name_at) + "~tagging-" + std::to_string(current_process_id()) + "-" +
           std::to_string(std::hash<std::thread::id>()(std::this_thread::get_id()) % 1000000) + "-" +
           path.substr(name_at);
}

void write_staged_copy(const ByteSource& original, const ByteEdits& edits, const std::string& copy_path,
                       IoFaults* faults) {
    try {
        Fingerprint written;
        {
            DiskFile copy(copy_path, DiskFile::Mode::create_new, faults);
            std::uint64_t at = 0;
            auto put = [&](const std::string& bytes) {
                copy.write_at(at, bytes.data(), bytes.size());
                written.add(bytes.data(), bytes.size());
                at += bytes.size();
            };
            auto copy_range = [&](std::uint64_t from, std::uint64_t to) {
                for (std::uint64_t p = from; p < to; p += chunk) put(original.read(p, static_cast<std::size_t>(std::min<std::uint64_t>(chunk, to - p))));
            };
            std::uint64_t cursor = 0;
            for (const ByteEdit& edit : edits) {
                copy_range(cursor, edit.offset);
                put(edit.bytes);
                cursor = edit.offset + edit.length;
            }
            copy_range(cursor, original.size());
            copy.flush();
            if (copy.size() != edited_size(edits, original.size())) throw sonavel::exception_io_data();
        }
        // What reached the file, read through a new handle, must be what was meant to be written.
        DiskFile copy(copy_path, DiskFile::Mode::read);
        Fingerprint read;
        std::string buffer(chunk, '\0');
        for (std::uint64_t p = 0;;) {
            std::size_t n = copy.read_at(p, buffer.data(), buffer.size());
            if (n == 0) break;
            read.add(buffer.data(), n);
            p += n;
        }
        if (read != written) throw sonavel::exception_io_data();
    } catch (...) {
        DiskFile::remove(copy_path);
        throw;
    }
}

}  // namespace player::tagwriter
