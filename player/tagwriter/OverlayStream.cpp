#include "player/tagwriter/OverlayStream.h"

#include <algorithm>

namespace player::tagwriter {

OverlayStream::OverlayStream(const ByteSource& file, std::string name)
    : file_(file), name_(std::move(name)), length_(file.size()) {
    if (length_ > 0) pieces_.push_back({true, 0, length_, {}});
}

std::size_t OverlayStream::split_at(std::uint64_t at) {
    std::uint64_t start = 0;
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        Piece& piece = pieces_[i];
        if (at == start) return i;
        if (at < start + piece.size) {
            std::uint64_t head = at - start;
            Piece tail = piece.from_file ? Piece{true, piece.source_offset + head, piece.size - head, {}}
                                         : Piece{false, 0, piece.size - head, piece.data.substr(head)};
            if (!piece.from_file) piece.data.resize(head);
            piece.size = head;
            pieces_.insert(pieces_.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(tail));
            return i + 1;
        }
        start += piece.size;
    }
    return pieces_.size();
}

void OverlayStream::splice(std::uint64_t at, std::uint64_t remove, std::string data) {
    if (at > length_) {
        // Writing past the end leaves zeros between, as a file would.
        data.insert(0, at - length_, '\0');
        at = length_;
    }
    remove = std::min(remove, length_ - at);
    std::size_t first = split_at(at);
    std::size_t last = split_at(at + remove);
    pieces_.erase(pieces_.begin() + static_cast<std::ptrdiff_t>(first), pieces_.begin() + static_cast<std::ptrdiff_t>(last));
    length_ = length_ - remove + data.size();
    if (!data.empty()) {
        std::uint64_t size = data.size();
        pieces_.insert(pieces_.begin() + static_cast<std::ptrdiff_t>(first), Piece{false, 0, size, std::move(data)});
    }
}

TagLib::ByteVector OverlayStream::readBlock(unsigned long length) {
    if (position_ >= length_) return {};
    std::uint64_t want = std::min<std::uint64_t>(length, length_ - position_);
    std::string out;
    out.reserve(want);
    std::uint64_t start = 0;
    for (const Piece& piece : pieces_) {
        std::uint64_t end = start + piece.size;
        std::uint64_t from = position_ + out.size();
        if (out.size() == want) break;
        if (from < end) {
            std::uint64_t skip = from - start;
            std::uint64_t take = std::min(piece.size - skip, want - out.size());
            out += piece.from_file ? file_.read(piece.source_offset + skip, take) : piece.data.substr(skip, take);
        }
        start = end;
    }
    position_ += out.size();
    return TagLib::ByteVector(out.data(), static_cast<unsigned int>(out.size()));
}

void OverlayStream::writeBlock(const TagLib::ByteVector& data) {
    std::uint64_t at = position_;
    splice(at, data.size(), std::string(data.data(), data.size()));
    position_ = at + data.size();
}

void OverlayStream::insert(const TagLib::ByteVector& data, unsigned long start, unsigned long replace) {
    splice(start, replace, std::string(data.data(), data.size()));
}

void OverlayStream::removeBlock(unsigned long start, unsigned long length) {
    if (start < length_) splice(start, length, {});
}

void OverlayStream::seek(long offset, Position p) {
    long long base = p == Beginning ? 0 : p == Current ? static_cast<long long>(position_) : static_cast<long long>(length_);
    position_ = static_cast<std::uint64_t>(std::max(0LL, base + offset));
}

void OverlayStream::truncate(long length) {
    auto size = static_cast<std::uint64_t>(std::max(0L, length));
    if (size < length_) splice(size, length_ - size, {});
    else if (size > length_) splice(length_, 0, std::string(size - length_, '\0'));
}

ByteEdits OverlayStream::edits() const {
    ByteEdits out;
    std::uint64_t cursor = 0;  // the next byte of the file not yet accounted for
    std::string pending;
    auto emit = [&](std::uint64_t until) {
        if (pending.empty() && until == cursor) return;
        out.push_back({cursor, until - cursor, std::move(pending)});
        pending.clear();
    };
    for (const Piece& piece : pieces_) {
        if (piece.from_file && piece.source_offset >= cursor) {
            emit(piece.source_offset);
            cursor = piece.source_offset + piece.size;
        } else {
            // File bytes moved backwards count as new bytes.
            pending += piece.from_file ? file_.read(piece.source_offset, piece.size) : piece.data;
        }
    }
    emit(file_.size());
    return out;
}

}  // namespace player::tagwriter
