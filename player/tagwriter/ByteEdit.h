#pragma once
// What a tag writer changes in a file, as byte ranges of the file as it is: each edit replaces `length`
// bytes at `offset` with `bytes`. A file's edits are sorted by offset and never overlap; an edit may
// start at the file's end (an append) and may reach the end (a tail rewritten, grown or cut).
#include <cstdint>
#include <string>
#include <vector>

namespace player::tagwriter {

struct ByteEdit {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    std::string bytes;
};

using ByteEdits = std::vector<ByteEdit>;

}  // namespace player::tagwriter
