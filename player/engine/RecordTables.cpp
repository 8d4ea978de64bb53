#include "player/engine/RecordTables.h"

#include <atomic>
#include <cstring>

#include "sdk/utf8.h"

namespace player {
namespace {
std::atomic<std::uint64_t> next_serial{1};
}

RecordTables::RecordTables() : serial_(next_serial++) {}

std::string RecordTables::fold_key(std::string_view name) {
    std::string key;
    key.reserve(name.size());
    const char* p = name.data();
    const char* end = p + name.size();
    while (p != end) {
        char32_t c;
        p += sonavel::utf8_decode_char(p, end, c);
        c = sonavel::char_upper(c);
        key.append(reinterpret_cast<const char*>(&c), sizeof c);
    }
    return key;
}

std::uint32_t RecordTables::name_id(std::string_view name) {
    std::uint32_t id = names_.intern(name);
    if (id == fold_of_name_.size()) {
        auto [it, added] = fold_by_key_.emplace(fold_key(name), std::uint32_t(fold_by_key_.size()));
        fold_of_name_.push_back(it->second);
    }
    return id;
}

std::uint32_t RecordTables::find_fold(std::string_view name) const {
    // Walks over many records ask for the same few names: remember the last answer per thread, valid
    // while no new name was added.
    // Trivially constructible, so that reaching it costs no per-access initialisation check.
    struct cache_entry {
        std::uint64_t owner;
        std::size_t names;
        std::size_t length;
        char name[48];
        std::uint32_t fold;
    };
    thread_local cache_entry cache;
    if (cache.owner == serial_ && cache.names == names_.size() && cache.length == name.size() &&
        std::memcmp(cache.name, name.data(), name.size()) == 0) {
        return cache.fold;
    }
    auto found = fold_by_key_.find(fold_key(name));
    std::uint32_t fold = found == fold_by_key_.end() ? none : found->second;
    if (name.size() <= sizeof cache.name) {
        cache.owner = serial_;
        cache.names = names_.size();
        cache.length = name.size();
        std::memcpy(cache.name, name.data(), name.size());
        cache.fold = fold;
    }
    return fold;
}

std::size_t RecordTables::overhead_bytes() const noexcept {
    return values_.overhead_bytes() + names_.overhead_bytes() + names_.text_bytes();
}

}  // namespace player
