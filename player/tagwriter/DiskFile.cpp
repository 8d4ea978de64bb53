#include "player/tagwriter/DiskFile.h"

#include <algorithm>

#include "sdk/errors.h"

namespace player::tagwriter {

std::size_t DiskFile::allowance(std::uint64_t offset, std::size_t count) {
    if (!faults_) return count;
    std::uint64_t end = size();
    if (offset + count <= end) return count;
    std::uint64_t overwrite = offset < end ? end - offset : 0;
    std::uint64_t growth = std::min<std::uint64_t>(faults_->bytes_until_full, offset + count - std::max(offset, end));
    faults_->bytes_until_full -= growth;
    return static_cast<std::size_t>(overwrite + growth);
}

void DiskFile::check_flush() {
    if (!faults_) return;
    if (faults_->flushes_until_failure > 0) {
        --faults_->flushes_until_failure;
    } else if (faults_->failing_flushes > 0) {
        --faults_->failing_flushes;
        throw sonavel::exception_io_device_full();
    }
}

}  // namespace player::tagwriter
