#pragma once
// TagLib addresses a file with `long` offsets, 32 bits on Windows: past 2 GB its seeks and lengths go
// astray, and it would read or write the wrong bytes. Such files are refused before TagLib sees them.
#include <cstdint>
#include <limits>

#include "sdk/errors.h"

namespace player::tagwriter {

class exception_file_too_large : public sonavel::exception_io {
public:
    exception_file_too_large() : exception_io("Files larger than 2 GB are not supported") {}
};

// Throws exception_file_too_large when TagLib cannot address every byte of a file of `size` bytes.
inline void check_taglib_can_address(std::uint64_t size) {
    if (size > static_cast<std::uint64_t>(std::numeric_limits<long>::max())) throw exception_file_too_large();
}

}  // namespace player::tagwriter
