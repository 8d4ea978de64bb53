#include "player/tagwriter/DiskSource.h"

#include "sdk/errors.h"

namespace player::tagwriter {

std::string DiskSource::read(std::uint64_t offset, std::size_t count) const {
    if (offset > size_ || count > size_ - offset) throw sonavel::exception_io_data_truncation();
    std::string bytes(count, '\0');
    if (file_.read_at(offset, bytes.data(), count) != count) throw sonavel::exception_io_data_truncation();
    return bytes;
}

}  // namespace player::tagwriter
