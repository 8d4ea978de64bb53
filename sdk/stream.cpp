#include "sdk/stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "sdk/utf8.h"

namespace sonavel {

void stream_reader::read_object(void* buffer, std::size_t bytes, abort_callback& abort) {
    if (read(buffer, bytes, abort) != bytes) throw exception_io_data_truncation();
}

std::uint64_t stream_reader::skip(std::uint64_t bytes, abort_callback& abort) {
    std::uint8_t chunk[4096];
    std::uint64_t done = 0;
    while (done < bytes) {
        std::size_t want = std::size_t(std::min<std::uint64_t>(sizeof chunk, bytes - done));
        std::size_t got = read(chunk, want, abort);
        done += got;
        if (got < want) break;
    }
    return done;
}

void stream_reader::skip_object(std::uint64_t bytes, abort_callback& abort) {
    if (skip(bytes, abort) != bytes) throw exception_io_data_truncation();
}

std::uint32_t stream_reader::read_lendian_u32(abort_callback& abort) {
    std::uint8_t b[4];
    read_object(b, 4, abort);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

bool stream_reader::try_read_lendian_u32(abort_callback& abort, std::uint32_t& out) {
    std::uint8_t b[4];
    if (read(b, sizeof b, abort) != sizeof b) return false;
    out = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
    return true;
}

std::uint64_t stream_reader::read_lendian_u64(abort_callback& abort) {
    std::uint64_t low = read_lendian_u32(abort);
    std::uint64_t high = read_lendian_u32(abort);
    return low | high << 32;
}

std::string stream_reader::read_string(abort_callback& abort) {
    std::uint32_t length = read_lendian_u32(abort);
    // Grow with the data rather than trusting the count: a damaged count must not claim memory the
    // stream does not hold.
    std::string text;
    std::size_t chunk = 65536;
    while (text.size() < length) {
        std::size_t want = std::min<std::size_t>(chunk, length - text.size());
        std::size_t at = text.size();
        text.resize(at + want);
        read_object(&text[at], want, abort);
        chunk *= 2;
    }
    return text;
}

void stream_writer::write_lendian_u32(std::uint32_t value, abort_callback& abort) {
    std::uint8_t b[4] = {std::uint8_t(value), std::uint8_t(value >> 8), std::uint8_t(value >> 16),
                         std::uint8_t(value >> 24)};
    write(b, 4, abort);
}

void stream_writer::write_lendian_u64(std::uint64_t value, abort_callback& abort) {
    write_lendian_u32(std::uint32_t(value), abort);
    write_lendian_u32(std::uint32_t(value >> 32), abort);
}

void stream_writer::write_string(const std::string& text, abort_callback& abort) {
    // The stored count ends at the first zero byte.
    std::size_t length = std::strlen(text.c_str());
    if (length > 0xFFFFFFFFu) throw exception_overflow();
    write_lendian_u32(std::uint32_t(length), abort);
    write(text.data(), length, abort);
}

std::size_t stream_reader_memblock::read(void* buffer, std::size_t bytes, abort_callback& abort) {
    abort.check();
    std::size_t n = std::min(bytes, size_ - position_);
    if (n) std::memcpy(buffer, data_ + position_, n);
    position_ += n;
    return n;
}

std::uint64_t stream_reader_memblock::skip(std::uint64_t bytes, abort_callback& abort) {
    abort.check();
    std::size_t n = std::size_t(std::min<std::uint64_t>(bytes, size_ - position_));
    position_ += n;
    return n;
}

std::size_t stream_reader_limited::read(void* buffer, std::size_t bytes, abort_callback& abort) {
    std::size_t want = std::size_t(std::min<std::uint64_t>(bytes, left_));
    std::size_t got = want ? base_.read(buffer, want, abort) : 0;
    left_ -= got;
    return got;
}

std::uint64_t stream_reader_limited::skip(std::uint64_t bytes, abort_callback& abort) {
    std::uint64_t got = base_.skip(std::min(bytes, left_), abort);
    left_ -= got;
    return got;
}

void stream_writer_buffer::write(const void* buffer, std::size_t bytes, abort_callback& abort) {
    abort.check();
    const auto* p = static_cast<const std::uint8_t*>(buffer);
    data_.insert(data_.end(), p, p + bytes);
}

file_stream::file_stream(const char* utf8_path, bool write) {
#ifdef _WIN32
    std::wstring path = utf8_to_wide(utf8_path);
    file_ = _wfopen(path.c_str(), write ? L"wb" : L"rb");
#else
    file_ = std::fopen(utf8_path, write ? "wb" : "rb");
#endif
    if (!file_) throw exception_io_data();
}

file_stream::~file_stream() {
    if (file_) std::fclose(file_);
}

std::size_t file_reader::read(void* buffer, std::size_t bytes, abort_callback& abort) {
    abort.check();
    if (bytes == 0) return 0;
    std::size_t got = std::fread(buffer, 1, bytes, file_);
    if (got < bytes && std::ferror(file_)) throw exception_io_data();
    return got;
}

void file_writer::write(const void* buffer, std::size_t bytes, abort_callback& abort) {
    abort.check();
    // An empty block may come without a buffer; fwrite must not see a null pointer.
    if (bytes == 0) return;
    if (std::fwrite(buffer, 1, bytes, file_) != bytes) throw exception_io_data();
}

void file_writer::flush() {
    if (std::fflush(file_) != 0) throw exception_io_data();
}

}  // namespace sonavel
