#pragma once
// Composes configuration blocks byte by byte, for tests of how they are read.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "sdk/guid.h"

namespace config_test {

using bytes_t = std::vector<std::uint8_t>;

class block_builder {
public:
    block_builder& entry(const sonavel::guid& id, std::initializer_list<int> data) {
        return entry(id, std::uint32_t(data.size()), data);
    }
    // An entry whose stored count need not match its data.
    block_builder& entry(const sonavel::guid& id, std::uint32_t count, std::initializer_list<int> data) {
        raw_guid(id);
        u32(count);
        return raw(data);
    }
    block_builder& raw_guid(const sonavel::guid& id) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(&id);
        bytes_.insert(bytes_.end(), p, p + sizeof id);
        return *this;
    }
    block_builder& u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(std::uint8_t(v >> (8 * i)));
        return *this;
    }
    block_builder& raw(std::initializer_list<int> data) {
        for (int b : data) bytes_.push_back(std::uint8_t(b));
        return *this;
    }
    const bytes_t& bytes() const { return bytes_; }

private:
    bytes_t bytes_;
};

}  // namespace config_test
