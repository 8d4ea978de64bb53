#pragma once
// A file as TagLib sees it while it saves, with nothing written to disk: reads come from the file,
// writes, inserts and removals are kept in memory as a list of pieces. Afterwards `edits()` tells what
// the save changed, as byte edits of the file, and the writer decides how to put them on disk safely.
#include <cstdint>
#include <string>
#include <vector>

#include <tiostream.h>

#include "player/tagwriter/ByteEdit.h"
#include "player/tagwriter/ByteSource.h"

namespace player::tagwriter {

class OverlayStream final : public TagLib::IOStream {
public:
    // `name` only tells TagLib the format by its extension.
    OverlayStream(const ByteSource& file, std::string name);

    TagLib::FileName name() const override { return name_.c_str(); }
    TagLib::ByteVector readBlock(unsigned long length) override;
    void writeBlock(const TagLib::ByteVector& data) override;
    void insert(const TagLib::ByteVector& data, unsigned long start = 0, unsigned long replace = 0) override;
    void removeBlock(unsigned long start = 0, unsigned long length = 0) override;
    bool readOnly() const override { return false; }
    bool isOpen() const override { return true; }
    void seek(long offset, Position p = Beginning) override;
    void clear() override {}
    long tell() const override { return static_cast<long>(position_); }
    long length() override { return static_cast<long>(length_); }
    void truncate(long length) override;

    // The changes since the file was opened, in the file's offsets (a part rewritten with the same bytes
    // is an edit too: the writer narrows edits to what they change).
    ByteEdits edits() const;

private:
    // Bytes [source_offset, +size) of the file, or `data` when it came from a write.
    struct Piece {
        bool from_file;
        std::uint64_t source_offset;
        std::uint64_t size;
        std::string data;
    };

    void splice(std::uint64_t at, std::uint64_t remove, std::string data);
    // Splits the piece list so that a piece starts at `at`; returns that piece's index.
    std::size_t split_at(std::uint64_t at);

    const ByteSource& file_;
    std::string name_;
    std::vector<Piece> pieces_;
    std::uint64_t length_ = 0;
    std::uint64_t position_ = 0;
};

}  // namespace player::tagwriter
