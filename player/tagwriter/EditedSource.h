#pragma once
// A file's bytes as they will be once its edits are made, without making them: what the writer tells
// the player about the file it leaves.
#include "player/tagwriter/ByteEdit.h"
#include "player/tagwriter/ByteSource.h"

namespace player::tagwriter {

class EditedSource final : public ByteSource {
public:
    // Both must outlive this object; `edits` sorted and not overlapping, as every file's edits are.
    EditedSource(const ByteSource& original, const ByteEdits& edits);
    std::uint64_t size() const override { return size_; }
    std::string read(std::uint64_t offset, std::size_t count) const override;

private:
    const ByteSource& original_;
    const ByteEdits& edits_;
    std::uint64_t size_;
};

}  // namespace player::tagwriter
