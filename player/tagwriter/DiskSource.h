#pragma once
// A file on disk as the format editors read it.
#include "player/tagwriter/ByteSource.h"
#include "player/tagwriter/DiskFile.h"

namespace player::tagwriter {

class DiskSource final : public ByteSource {
public:
    explicit DiskSource(const DiskFile& file) : file_(file), size_(file.size()) {}
    std::uint64_t size() const override { return size_; }
    std::string read(std::uint64_t offset, std::size_t count) const override;

private:
    const DiskFile& file_;
    std::uint64_t size_;
};

}  // namespace player::tagwriter
