#include "player/engine/StringPool.h"

#include <cstring>
#include <functional>

namespace player {
namespace {
constexpr std::size_t block_size = 256 * 1024;

std::size_t hash_of(std::string_view text) noexcept { return std::hash<std::string_view>{}(text); }
}  // namespace

StringPool::StringPool() : slots_(1024, empty_slot) {}

std::uint32_t StringPool::intern(std::string_view text) {
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash_of(text) & mask;; i = (i + 1) & mask) {
        std::uint32_t id = slots_[i];
        if (id == empty_slot) {
            id = std::uint32_t(texts_.size());
            texts_.push_back(store(text));
            slots_[i] = id;
            if (texts_.size() * 2 > slots_.size()) grow();
            return id;
        }
        const char* candidate = texts_[id];
        // strncmp stops at the candidate's end, so a shorter candidate is never read past.
        if (std::strncmp(candidate, text.data(), text.size()) == 0 && candidate[text.size()] == '\0') return id;
    }
}

const char* StringPool::store(std::string_view text) {
    std::size_t need = text.size() + 1;
    if (need > block_left_) {
        std::size_t size = need > block_size ? need : block_size;
        blocks_.push_back(std::make_unique<char[]>(size));
        block_free_ = blocks_.back().get();
        block_left_ = size;
    }
    char* p = block_free_;
    std::memcpy(p, text.data(), text.size());
    p[text.size()] = '\0';
    block_free_ += need;
    block_left_ -= need;
    text_bytes_ += need;
    return p;
}

void StringPool::grow() {
    std::vector<std::uint32_t> bigger(slots_.size() * 2, empty_slot);
    std::size_t mask = bigger.size() - 1;
    for (std::uint32_t id = 0; id < texts_.size(); ++id) {
        std::size_t i = hash_of(texts_[id]) & mask;
        while (bigger[i] != empty_slot) i = (i + 1) & mask;
        bigger[i] = id;
    }
    slots_.swap(bigger);
}

std::size_t StringPool::overhead_bytes() const noexcept {
    return slots_.capacity() * sizeof(std::uint32_t) + texts_.capacity() * sizeof(const char*) +
           blocks_.capacity() * sizeof(void*);
}

}  // namespace player
