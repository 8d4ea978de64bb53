#pragma once
// Integer fields inside tag headers: ID3v2 counts in big-endian and 7-bit "syncsafe" bytes, APE in
// little-endian.
#include <cstdint>
#include <string>

namespace player::tagwriter::mpeg {

inline std::uint32_t byte_at(const std::string& s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

inline std::uint32_t read_be32(const std::string& s, std::size_t at) {
    return byte_at(s, at) << 24 | byte_at(s, at + 1) << 16 | byte_at(s, at + 2) << 8 | byte_at(s, at + 3);
}

inline std::uint32_t read_le32(const std::string& s, std::size_t at) {
    return byte_at(s, at) | byte_at(s, at + 1) << 8 | byte_at(s, at + 2) << 16 | byte_at(s, at + 3) << 24;
}

// A syncsafe count with a high bit set was written by a tool that ignored the format: the caller decides.
inline bool syncsafe_valid(const std::string& s, std::size_t at) {
    return ((byte_at(s, at) | byte_at(s, at + 1) | byte_at(s, at + 2) | byte_at(s, at + 3)) & 0x80) == 0;
}

inline std::uint32_t read_syncsafe(const std::string& s, std::size_t at) {
    return byte_at(s, at) << 21 | byte_at(s, at + 1) << 14 | byte_at(s, at + 2) << 7 | byte_at(s, at + 3);
}

inline std::string be32(std::uint32_t v) {
    return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

inline std::string le32(std::uint32_t v) {
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

inline std::string syncsafe(std::uint32_t v) {
    return {char(v >> 21 & 0x7f), char(v >> 14 & 0x7f), char(v >> 7 & 0x7f), char(v & 0x7f)};
}

}  // namespace player::tagwriter::mpeg
