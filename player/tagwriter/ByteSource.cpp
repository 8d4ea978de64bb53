#include "player/tagwriter/ByteSource.h"

#include "sdk/errors.h"

namespace player::tagwriter {

std::string MemorySource::read(std::uint64_t offset, std::size_t count) const {
    if (offset > bytes_.size() || count > bytes_.size() - offset) throw sonavel::exception_io_data_truncation();
    return bytes_.substr(static_cast<std::size_t>(offset), count);
}

}  // namespace player::tagwriter
