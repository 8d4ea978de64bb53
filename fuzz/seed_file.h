#pragma once
// Writing one seed of a fuzzer's corpus.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace fuzz_seed {

using bytes_t = std::vector<std::uint8_t>;

// The bytes as the file at `path`; false when it cannot be written whole.
inline bool write_file(const std::string& path, const bytes_t& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace fuzz_seed
