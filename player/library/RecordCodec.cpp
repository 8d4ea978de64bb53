#include "player/library/RecordCodec.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace player::library {
namespace {

constexpr std::uint8_t format_version = 1;

class writer {
public:
    void byte(std::uint8_t b) { out.push_back(b); }
    void number(std::uint64_t n) {
        while (n >= 0x80) {
            out.push_back(std::uint8_t(n | 0x80));
            n >>= 7;
        }
        out.push_back(std::uint8_t(n));
    }
    void text(const char* s) {
        std::size_t n = std::strlen(s);
        number(n);
        out.insert(out.end(), s, s + n);
    }
    template <typename T>
    void raw(const T& value) {
        std::uint8_t bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        out.insert(out.end(), bytes, bytes + sizeof(T));
    }
    std::vector<std::uint8_t> out;
};

class reader {
public:
    reader(const std::uint8_t* data, std::size_t size) : at_(data), end_(data + size) {}
    std::uint8_t byte() {
        need(1);
        return *at_++;
    }
    std::uint64_t number() {
        std::uint64_t n = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            std::uint8_t b = byte();
            n |= std::uint64_t(b & 0x7f) << shift;
            if (!(b & 0x80)) return n;
        }
        throw std::runtime_error("Stored record is damaged");
    }
    std::string text() {
        std::uint64_t n = number();
        need(n);
        std::string s(reinterpret_cast<const char*>(at_), std::size_t(n));
        at_ += n;
        return s;
    }
    template <typename T>
    T raw() {
        need(sizeof(T));
        T value;
        std::memcpy(&value, at_, sizeof(T));
        at_ += sizeof(T);
        return value;
    }
    bool done() const noexcept { return at_ == end_; }

private:
    void need(std::uint64_t n) const {
        if (n > std::uint64_t(end_ - at_)) throw std::runtime_error("Stored record is damaged");
    }
    const std::uint8_t* at_;
    const std::uint8_t* end_;
};

}  // namespace

std::vector<std::uint8_t> encode_record(const sonavel::file_info& record) {
    writer w;
    w.byte(format_version);
    w.raw(record.get_length());
    auto gain = record.get_replaygain();
    w.raw(gain.album_gain);
    w.raw(gain.track_gain);
    w.raw(gain.album_peak);
    w.raw(gain.track_peak);
    w.byte(std::uint8_t((gain.album_gain_present ? 1 : 0) | (gain.track_gain_present ? 2 : 0)));
    w.number(record.meta_get_count());
    for (std::size_t f = 0; f < record.meta_get_count(); ++f) {
        w.text(record.meta_enum_name(f));
        std::size_t values = record.meta_enum_value_count(f);
        w.number(values);
        for (std::size_t v = 0; v < values; ++v) w.text(record.meta_enum_value(f, v));
    }
    w.number(record.info_get_count());
    for (std::size_t i = 0; i < record.info_get_count(); ++i) {
        w.text(record.info_enum_name(i));
        w.text(record.info_enum_value(i));
    }
    return std::move(w.out);
}

sonavel::file_info_impl decode_record(const std::uint8_t* data, std::size_t size) {
    reader r(data, size);
    if (r.byte() != format_version) throw std::runtime_error("Stored record is of an unknown form");
    sonavel::file_info_impl record;
    record.set_length(r.raw<double>());
    sonavel::replaygain_info gain;
    gain.album_gain = r.raw<float>();
    gain.track_gain = r.raw<float>();
    gain.album_peak = r.raw<float>();
    gain.track_peak = r.raw<float>();
    std::uint8_t present = r.byte();
    gain.album_gain_present = present & 1;
    gain.track_gain_present = (present & 2) != 0;
    record.set_replaygain(gain);
    std::uint64_t fields = r.number();
    for (std::uint64_t f = 0; f < fields; ++f) {
        std::string name = r.text();
        std::uint64_t values = r.number();
        for (std::uint64_t v = 0; v < values; ++v) {
            std::string value = r.text();
            record.meta_add_ex(name.data(), name.size(), value.data(), value.size());
        }
    }
    std::uint64_t infos = r.number();
    for (std::uint64_t i = 0; i < infos; ++i) {
        std::string name = r.text();
        std::string value = r.text();
        record.info_set(name.c_str(), value.c_str());
    }
    if (!r.done()) throw std::runtime_error("Stored record is damaged");
    return record;
}

}  // namespace player::library
