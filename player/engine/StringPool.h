#pragma once
// Interned UTF-8 texts: each distinct text is stored once, NUL-terminated, and named by a 32-bit id.
// Pointers stay valid for the pool's life. Not thread-safe: the track store interns under its write lock
// and readers use ids and pointers under its read lock.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace player {

class StringPool {
public:
    StringPool();

    std::uint32_t intern(std::string_view text);
    const char* text(std::uint32_t id) const noexcept { return texts_[id]; }
    std::size_t size() const noexcept { return texts_.size(); }
    // Bytes used by the pool beyond the texts themselves (index and pointers), and by the texts.
    std::size_t overhead_bytes() const noexcept;
    std::size_t text_bytes() const noexcept { return text_bytes_; }

private:
    const char* store(std::string_view text);
    void grow();

    static constexpr std::uint32_t empty_slot = 0xFFFFFFFFu;
    std::vector<const char*> texts_;
    std::vector<std::uint32_t> slots_;  // open addressing, linear probing; ids or empty_slot
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* block_free_ = nullptr;
    std::size_t block_left_ = 0;
    std::size_t text_bytes_ = 0;
};

}  // namespace player
