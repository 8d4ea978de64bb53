#pragma once
// Byte streams of the host: configuration blocks, panel configurations and files.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "sdk/abort.h"

namespace sonavel {

class stream_reader {
public:
    // Tolerant read: reads up to `bytes`, returns how many came; fewer only at the end of the stream.
    virtual std::size_t read(void* buffer, std::size_t bytes, abort_callback& abort) = 0;

    // Exact read: all `bytes` or the stream error ("Unsupported format or corrupted file").
    void read_object(void* buffer, std::size_t bytes, abort_callback& abort);
    // Skips up to `bytes`; returns how many were skipped.
    virtual std::uint64_t skip(std::uint64_t bytes, abort_callback& abort);
    void skip_object(std::uint64_t bytes, abort_callback& abort);

    // Little-endian integers and counted UTF-8 strings, read exactly.
    std::uint32_t read_lendian_u32(abort_callback& abort);
    // The same, tolerant: false (and `out` untouched) when the stream ends inside the word.
    bool try_read_lendian_u32(abort_callback& abort, std::uint32_t& out);
    std::int32_t read_lendian_i32(abort_callback& abort) { return std::int32_t(read_lendian_u32(abort)); }
    std::uint64_t read_lendian_u64(abort_callback& abort);
    std::string read_string(abort_callback& abort);

protected:
    ~stream_reader() = default;
};

class stream_writer {
public:
    // Writes all bytes or throws.
    virtual void write(const void* buffer, std::size_t bytes, abort_callback& abort) = 0;

    void write_lendian_u32(std::uint32_t value, abort_callback& abort);
    void write_lendian_i32(std::int32_t value, abort_callback& abort) { write_lendian_u32(std::uint32_t(value), abort); }
    void write_lendian_u64(std::uint64_t value, abort_callback& abort);
    void write_string(const std::string& text, abort_callback& abort);

protected:
    ~stream_writer() = default;
};

// Reads a block of memory the caller keeps alive.
class stream_reader_memblock final : public stream_reader {
public:
    stream_reader_memblock(const void* data, std::size_t size) noexcept
        : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}
    explicit stream_reader_memblock(const std::vector<std::uint8_t>& data) noexcept
        : stream_reader_memblock(data.data(), data.size()) {}
    std::size_t read(void* buffer, std::size_t bytes, abort_callback& abort) override;
    std::uint64_t skip(std::uint64_t bytes, abort_callback& abort) override;
    std::size_t remaining() const noexcept { return size_ - position_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// Reads at most `limit` bytes of another reader, then reports the end.
class stream_reader_limited final : public stream_reader {
public:
    stream_reader_limited(stream_reader& base, std::uint64_t limit) noexcept : base_(base), left_(limit) {}
    std::size_t read(void* buffer, std::size_t bytes, abort_callback& abort) override;
    std::uint64_t skip(std::uint64_t bytes, abort_callback& abort) override;
    std::uint64_t remaining() const noexcept { return left_; }

private:
    stream_reader& base_;
    std::uint64_t left_;
};

// Collects written bytes in memory.
class stream_writer_buffer final : public stream_writer {
public:
    void write(const void* buffer, std::size_t bytes, abort_callback& abort) override;
    const std::vector<std::uint8_t>& data() const noexcept { return data_; }
    std::vector<std::uint8_t>& data() noexcept { return data_; }

private:
    std::vector<std::uint8_t> data_;
};

// Files by UTF-8 path (wide paths on Windows). Open failures throw the host's data error with the
// system's reason appended by the caller's context; read and write failures throw too.
class file_stream {
public:
    file_stream(const file_stream&) = delete;
    file_stream& operator=(const file_stream&) = delete;
    ~file_stream();

protected:
    file_stream(const char* utf8_path, bool write);
    std::FILE* file_ = nullptr;
};

class file_reader final : public stream_reader, private file_stream {
public:
    explicit file_reader(const char* utf8_path) : file_stream(utf8_path, false) {}
    std::size_t read(void* buffer, std::size_t bytes, abort_callback& abort) override;
};

class file_writer final : public stream_writer, private file_stream {
public:
    // Creates or truncates the file.
    explicit file_writer(const char* utf8_path) : file_stream(utf8_path, true) {}
    void write(const void* buffer, std::size_t bytes, abort_callback& abort) override;
    // Flushes to the system; throws when that fails (a full disk shows here at the latest).
    void flush();
};

}  // namespace sonavel
