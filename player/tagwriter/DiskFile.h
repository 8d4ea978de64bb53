#pragma once
// One open file for the tag writer, with every operation checked: a short or failed write, a failed
// flush or truncation raises the host's I/O error for its cause (a full disk, a read-only file, a file
// in use, a file gone), never a silent partial result. Paths are UTF-8.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

namespace player::tagwriter {

// The file behind a path, whatever its name: a file replaced by another under the same name has
// another identity.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity& o) const { return volume == o.volume && index == o.index; }
    bool operator!=(const FileIdentity& o) const { return !(*this == o); }
};

// Faults a test injects into every file a writer opens: the disk fills up after so many more bytes
// (counting those that grow a file), or the flushes after the next so many fail.
struct IoFaults {
    std::uint64_t bytes_until_full = std::numeric_limits<std::uint64_t>::max();
    int flushes_until_failure = std::numeric_limits<int>::max();
    int failing_flushes = std::numeric_limits<int>::max();  // then this many fail, and the rest pass
};

class DiskFile {
public:
    enum class Mode {
        read,        // read only, others may read and write
        update,      // read and write in place; others may only read meanwhile
        create_new,  // a new file, refused when the name exists
        replace,     // created or emptied
    };

    DiskFile(const std::string& path, Mode mode, IoFaults* faults = nullptr);
    ~DiskFile();
    DiskFile(DiskFile&& other) noexcept;
    DiskFile& operator=(DiskFile&&) = delete;
    DiskFile(const DiskFile&) = delete;
    DiskFile& operator=(const DiskFile&) = delete;

    std::uint64_t size() const;
    // Up to `count` bytes at `offset`; fewer only at the end of the file.
    std::size_t read_at(std::uint64_t offset, void* buffer, std::size_t count) const;
    // All `count` bytes at `offset`, or an error.
    void write_at(std::uint64_t offset, const void* data, std::size_t count);
    void truncate(std::uint64_t size);
    // Puts what was written on the disk itself.
    void flush();
    FileIdentity identity() const;
    // Closes now, so the file may be renamed or removed.
    void close() noexcept;

    // The name stays for another file when the system refuses; errors are the host's I/O errors.
    static void replace(const std::string& from, const std::string& to);
    static void remove(const std::string& path) noexcept;
    static bool exists(const std::string& path);

private:
    // Throws when the injected faults fail this flush.
    void check_flush();
    // How many of `count` bytes at `offset` the injected faults let through (all without faults): a full
    // disk refuses the bytes that would grow the file, not those that overwrite it.
    std::size_t allowance(std::uint64_t offset, std::size_t count);

#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    IoFaults* faults_ = nullptr;
};

// This process's id, which names the files a writer makes so that other processes' names differ.
unsigned long current_process_id();

// Throws the host's I/O error that matches a system error code (errno natively, GetLastError on Windows).
[[noreturn]] void throw_io_error(unsigned long code);

}  // namespace player::tagwriter
