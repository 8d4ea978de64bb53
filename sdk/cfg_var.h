#pragma once
// Component-wide configuration variables. Each variable has a fixed GUID; constructing one links it at
// the head of its module's list. The host stores all of them in one block per component.
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "sdk/guid.h"
#include "sdk/stream.h"

namespace sonavel {

class cfg_var_reader {
public:
    const guid& get_guid() const noexcept { return guid_; }
    // Reads the variable's data; `size_hint` is the byte count stored for it.
    virtual void set_data_raw(stream_reader& reader, std::size_t size_hint, abort_callback& abort) = 0;

protected:
    explicit cfg_var_reader(const guid& id) noexcept : guid_(id) {}
    ~cfg_var_reader() = default;

private:
    guid guid_;
};

class cfg_var_writer {
public:
    virtual void get_data_raw(stream_writer& writer, abort_callback& abort) = 0;

protected:
    ~cfg_var_writer() = default;
};

class cfg_var : public cfg_var_reader, public cfg_var_writer {
public:
    cfg_var(const cfg_var&) = delete;
    cfg_var& operator=(const cfg_var&) = delete;

    cfg_var* next() const noexcept { return next_; }
    // Head of this module's list: the variable constructed last.
    static cfg_var* list_head() noexcept;

    // The configuration block: for each variable from the head, its GUID (16 bytes as in memory), a u32
    // byte count and the data.
    static void config_write_all(stream_writer& writer, abort_callback& abort);
    // Reads a block: unknown entries are skipped, a variable's own data error is ignored, a block that
    // ends inside a GUID ends reading quietly; the end inside a count raises the stream error.
    static void config_read_all(stream_reader& reader, abort_callback& abort);

protected:
    explicit cfg_var(const guid& id) noexcept;
    ~cfg_var() = default;

private:
    cfg_var* next_;
};

// An integer variable stored as sizeof(T) little-endian bytes (bool: one byte, 0 or 1).
template <typename T>
class cfg_int_t final : public cfg_var {
    static_assert(std::is_integral_v<T>, "cfg_int_t holds integers");

public:
    cfg_int_t(const guid& id, T initial) noexcept : cfg_var(id), value_(initial) {}

    T get() const noexcept { return value_; }
    operator T() const noexcept { return value_; }
    cfg_int_t& operator=(T value) noexcept {
        value_ = value;
        return *this;
    }

    void get_data_raw(stream_writer& writer, abort_callback& abort) override {
        std::uint8_t bytes[sizeof(T)];
        auto v = static_cast<std::make_unsigned_t<std::conditional_t<std::is_same_v<T, bool>, unsigned char, T>>>(value_);
        for (std::size_t i = 0; i < sizeof(T); ++i) bytes[i] = std::uint8_t(std::uint64_t(v) >> (8 * i));
        writer.write(bytes, sizeof(T), abort);
    }
    void set_data_raw(stream_reader& reader, std::size_t, abort_callback& abort) override {
        std::uint8_t bytes[sizeof(T)];
        reader.read_object(bytes, sizeof(T), abort);
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) v |= std::uint64_t(bytes[i]) << (8 * i);
        if constexpr (std::is_same_v<T, bool>) {
            value_ = v != 0;
        } else {
            value_ = static_cast<T>(v);
        }
    }

private:
    T value_;
};

}  // namespace sonavel
