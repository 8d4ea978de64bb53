#include "player/tagwriter/EditedSource.h"

#include <algorithm>

#include "sdk/errors.h"

namespace player::tagwriter {

EditedSource::EditedSource(const ByteSource& original, const ByteEdits& edits)
    : original_(original), edits_(edits), size_(original.size()) {
    for (const ByteEdit& edit : edits) size_ = size_ - edit.length + edit.bytes.size();
}

std::string EditedSource::read(std::uint64_t offset, std::size_t count) const {
    if (offset > size_ || count > size_ - offset) throw sonavel::exception_io_data_truncation();
    std::string out;
    out.reserve(count);
    // Walks the edited file as runs of original bytes between the edits' new bytes; `edited_at` is where
    // the current run starts in the edited file, `original_at` where its original bytes start.
    std::uint64_t at = offset, original_at = 0, edited_at = 0;
    auto take = [&](std::uint64_t run_start, std::uint64_t run_size, auto&& source) {
        std::uint64_t run_end = run_start + run_size;
        if (out.size() == count || at >= run_end || at < run_start) return;
        std::uint64_t from = at - run_start;
        std::uint64_t n = std::min<std::uint64_t>(run_end - at, count - out.size());
        source(from, static_cast<std::size_t>(n));
        at += n;
    };
    for (const ByteEdit& edit : edits_) {
        std::uint64_t kept = edit.offset - original_at;
        take(edited_at, kept, [&](std::uint64_t from, std::size_t n) { out += original_.read(original_at + from, n); });
        edited_at += kept;
        take(edited_at, edit.bytes.size(), [&](std::uint64_t from, std::size_t n) { out.append(edit.bytes, static_cast<std::size_t>(from), n); });
        edited_at += edit.bytes.size();
        original_at = edit.offset + edit.length;
    }
    take(edited_at, size_ - edited_at, [&](std::uint64_t from, std::size_t n) { out += original_.read(original_at + from, n); });
    return out;
}

}  // namespace player::tagwriter
