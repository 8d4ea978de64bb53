#pragma once
// Read access to a file's bytes as they are on disk, for the format editors (which read tag regions,
// never the audio).
#include <cstddef>
#include <cstdint>
#include <string>

namespace player::tagwriter {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Exactly `count` bytes at `offset`; throws sonavel::exception_io_data_truncation past the end and the
    // host's I/O errors when the system fails.
    virtual std::string read(std::uint64_t offset, std::size_t count) const = 0;
};

// A file held in memory (tests, fuzzers).
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    std::string read(std::uint64_t offset, std::size_t count) const override;

private:
    std::string bytes_;
};

}  // namespace player::tagwriter
