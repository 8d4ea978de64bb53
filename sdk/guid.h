#pragma once
// 16-byte identifiers of service classes, interfaces and settings. Same layout as the Windows GUID,
// so a value can be handed to Windows code as is; this header needs no Windows header.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

namespace sonavel {

struct guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::uint8_t data4[8] = {};

    friend bool operator==(const guid& a, const guid& b) noexcept { return std::memcmp(&a, &b, sizeof(guid)) == 0; }
    friend bool operator!=(const guid& a, const guid& b) noexcept { return !(a == b); }
    friend bool operator<(const guid& a, const guid& b) noexcept { return std::memcmp(&a, &b, sizeof(guid)) < 0; }

    bool is_null() const noexcept { return *this == guid{}; }
};
static_assert(sizeof(guid) == 16, "guid must have the Windows GUID layout");

// Writes the canonical text form {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
std::string to_string(const guid& g);

struct guid_hash {
    std::size_t operator()(const guid& g) const noexcept {
        std::uint64_t a, b;
        std::memcpy(&a, &g, 8);
        std::memcpy(&b, reinterpret_cast<const char*>(&g) + 8, 8);
        return std::hash<std::uint64_t>{}(a ^ (b * 0x9E3779B97F4A7C15ull));
    }
};

}  // namespace sonavel
