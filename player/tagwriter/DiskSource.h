#pragma once
// A file on disk as the format editors and TagLib read it. Tags sit at the start and at the end of a
// file, and their readers ask for many small pieces: the first and last bytes are read once each and
// served from memory (every read is a system call, and some systems make each one expensive).
#include "player/tagwriter/ByteSource.h"
#include "player/tagwriter/DiskFile.h"

namespace player::tagwriter {

class DiskSource final : public ByteSource {
public:
    explicit DiskSource(const DiskFile& file) : file_(file), size_(file.size()) {}
    std::uint64_t size() const override { return size_; }
    std::string read(std::uint64_t offset, std::size_t count) const override;

private:
    struct Window {
        std::uint64_t offset = 0;
        std::string bytes;
        bool loaded = false;
    };
    // The window's bytes, read on first use; true when it holds the range.
    bool serve(Window& window, std::uint64_t start, std::size_t length, std::uint64_t offset, std::size_t count,
               std::string& out) const;

    const DiskFile& file_;
    std::uint64_t size_;
    mutable Window head_, tail_;
};

}  // namespace player::tagwriter
