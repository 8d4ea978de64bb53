#include "player/tagwriter/DiskSource.h"

#include <algorithm>

#include "sdk/errors.h"

namespace player::tagwriter {
namespace {

// Enough for most tags and the first audio frame after them; larger tags are read piece by piece.
constexpr std::size_t head_bytes = 16 * 1024;
constexpr std::size_t tail_bytes = 4 * 1024;

}  // namespace

bool DiskSource::serve(Window& window, std::uint64_t start, std::size_t length, std::uint64_t offset,
                       std::size_t count, std::string& out) const {
    if (offset < start || offset + count > start + length) return false;
    if (!window.loaded) {
        window.offset = start;
        window.bytes.assign(length, '\0');
        if (file_.read_at(start, window.bytes.data(), length) != length) throw sonavel::exception_io_data_truncation();
        window.loaded = true;
    }
    out.assign(window.bytes, static_cast<std::size_t>(offset - start), count);
    return true;
}

std::string DiskSource::read(std::uint64_t offset, std::size_t count) const {
    if (offset > size_ || count > size_ - offset) throw sonavel::exception_io_data_truncation();
    std::string bytes;
    std::size_t head = static_cast<std::size_t>(std::min<std::uint64_t>(size_, head_bytes));
    std::size_t tail = static_cast<std::size_t>(std::min<std::uint64_t>(size_, tail_bytes));
    if (serve(head_, 0, head, offset, count, bytes) || serve(tail_, size_ - tail, tail, offset, count, bytes))
        return bytes;
    bytes.assign(count, '\0');
    if (file_.read_at(offset, bytes.data(), count) != count) throw sonavel::exception_io_data_truncation();
    return bytes;
}

}  // namespace player::tagwriter
