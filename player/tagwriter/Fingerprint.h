#pragma once
// A 64-bit FNV-1a hash of bytes fed in pieces, with their count: tells a journal cut short from a
// complete one, and a copy read back from what was meant to be written.
#include <cstddef>
#include <cstdint>

namespace player::tagwriter {

class Fingerprint {
public:
    void add(const char* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) hash_ = (hash_ ^ static_cast<unsigned char>(data[i])) * 1099511628211ULL;
        size_ += size;
    }
    std::uint64_t hash() const { return hash_; }
    bool operator==(const Fingerprint& o) const { return hash_ == o.hash_ && size_ == o.size_; }
    bool operator!=(const Fingerprint& o) const { return !(*this == o); }

private:
    std::uint64_t hash_ = 1469598103934665603ULL;
    std::uint64_t size_ = 0;
};

}  // namespace player::tagwriter
