#include "presets/PresetStore.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "presets/FontDpiTrailer.h"

namespace quennet {
namespace {

constexpr std::uint32_t written_version = 5;
// Versions before 5 carry two unused bytes after the values and an unused word after the list colour.
constexpr std::size_t obsolete_bytes = 2;
constexpr std::size_t obsolete_word = 4;

// The values as stored: non-empty ones joined by ";". A value that holds a ";" itself (one tag "Jazz;
// Acoustic" from another tagger) would come back as pieces, "Jazz" and " Acoustic", and a tick on a piece
// would write it into files; it is left out instead, and the library scan or the selection that found it
// finds it again. Other versions read the same list, so its form stays.
std::string stored_values(const Options& o) {
    std::string text;
    for (const auto& value : o.tags) {
        if (value.empty() || value.find(';') != std::string::npos) continue;
        if (!text.empty()) text += ';';
        text += value;
    }
    return text;
}

// Each record is laid out in three groups: A (field, values, look), B (name and double-click
// behaviour, from version 2) and T (the tail that later versions added, item by item).
class record_writer {
public:
    record_writer(sonavel::stream_writer& writer, sonavel::abort_callback& abort) : writer_(writer), abort_(abort) {}

    void group_a(const Options& o) {
        text(o.metadata_field);
        text(stored_values(o));
        flag(o.scan_library);
        font(o.list_font);
        font(o.text_font);
        writer_.write_lendian_i32(o.edge_style, abort_);
        writer_.write_lendian_u32(o.text_color, abort_);
        writer_.write_lendian_u32(o.list_color, abort_);
        writer_.write_lendian_u32(o.back_color, abort_);
        writer_.write_lendian_u32(o.list_back_color, abort_);
    }

    void group_b(const Options& o) {
        text(o.name);
        writer_.write_lendian_i32(o.doubleclick_action, abort_);
        flag(o.sort_list);
        text(o.scan_fields);
        text(o.playlist_name);
    }

    void group_t(const Options& o) {
        flag(o.global_colors_and_fonts);
        flag(o.filter_on_focused_tags);
        text(o.filter_fields);
        text(o.sort_order);
        text(o.same_value_fields);
    }

private:
    void text(const std::string& s) { writer_.write_string(s, abort_); }
    void flag(bool value) {
        const std::uint8_t byte = value ? 1 : 0;
        writer_.write(&byte, 1, abort_);
    }
    void font(const panoplex::log_font& f) { writer_.write(&f, sizeof f, abort_); }

    sonavel::stream_writer& writer_;
    sonavel::abort_callback& abort_;
};

// Fixed-size fields are read tolerantly: a field the stream ends inside keeps its value, since the
// bytes that did come make no value of their own. Strings are read exactly and throw at the end.
class record_reader {
public:
    record_reader(sonavel::stream_reader& reader, sonavel::abort_callback& abort, std::uint32_t version)
        : reader_(reader), abort_(abort), version_(version) {}

    void group_a(Options& o) {
        text(o.metadata_field);
        text(o.tags_text);
        if (version_ < 5) reader_.skip(obsolete_bytes, abort_);
        flag(o.scan_library);
        fixed(o.list_font);
        fixed(o.text_font);
        number(o.edge_style);
        number(o.text_color);
        number(o.list_color);
        if (version_ < 5) reader_.skip(obsolete_word, abort_);
        number(o.back_color);
        number(o.list_back_color);
    }

    void group_b(Options& o) {
        text(o.name);
        number(o.doubleclick_action);
        flag(o.sort_list);
        text(o.scan_fields);
        text(o.playlist_name);
    }

    void group_t(Options& o) {
        if (version_ >= 3) {
            flag(o.global_colors_and_fonts);
            // Records of versions 3 and 4 keep their own fonts and colours, whatever flag they hold.
            if (version_ < 5) o.global_colors_and_fonts = false;
        }
        if (version_ >= 4) {
            flag(o.filter_on_focused_tags);
            text(o.filter_fields);
        }
        if (version_ >= 5) {
            text(o.sort_order);
            text(o.same_value_fields);
        }
    }

    // False when the stream ended inside the field, which then keeps its value.
    template <typename T>
    bool number(T& field) {
        static_assert(sizeof(T) == 4, "stored integers are 32-bit");
        std::uint8_t b[4];
        if (reader_.read(b, sizeof b, abort_) != sizeof b) return false;
        field = T(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                  std::uint32_t(b[3]) << 24);
        return true;
    }

private:
    void text(std::string& field) { field = reader_.read_string(abort_); }
    void flag(bool& field) {
        std::uint8_t byte;
        if (reader_.read(&byte, 1, abort_) == 1) field = byte != 0;
    }
    void fixed(panoplex::log_font& field) {
        std::uint8_t raw[sizeof field];
        if (reader_.read(raw, sizeof raw, abort_) == sizeof raw) std::memcpy(&field, raw, sizeof raw);
    }

    sonavel::stream_reader& reader_;
    sonavel::abort_callback& abort_;
    std::uint32_t version_;
};

// The stored values become the list again, made unique and, when asked, sorted; the look follows the
// panel host's globals when the record uses them; filtering on focused tags rules out the library scan.
void post_process(Options& o) {
    o.clear_tags();
    o.add_tags(o.tags_text, ';');
    o.tags_text.clear();
    o.apply_global_colors_and_fonts();
    if (o.filter_on_focused_tags && o.scan_library) o.scan_library = false;
}

}  // namespace

void write_store(sonavel::stream_writer& writer, sonavel::abort_callback& abort, const Options& current,
                 const std::vector<Options>& presets) {
    if (presets.size() > 0xFFFFFFFFu) throw sonavel::exception_overflow();
    record_writer out(writer, abort);
    writer.write_lendian_u32(written_version, abort);
    out.group_a(current);
    out.group_b(current);
    writer.write_lendian_u32(std::uint32_t(presets.size()), abort);
    for (const Options& preset : presets) {
        out.group_a(preset);
        out.group_b(preset);
        out.group_t(preset);
    }
    out.group_t(current);
    write_font_dpis(writer, abort, current, presets);
}

void read_store(sonavel::stream_reader& reader, sonavel::abort_callback& abort, Options& current,
                std::vector<Options>& presets) {
    // Only a stream without a single byte is empty. A version word cut short is taken from the bytes that
    // came; the next exact read then meets the end of the stream like any other truncation.
    std::uint8_t word[4] = {};
    const std::size_t got = reader.read(word, sizeof word, abort);
    if (got == 0) {
        current = Options();
        return;
    }
    const std::uint32_t version = std::uint32_t(word[0]) | std::uint32_t(word[1]) << 8 |
                                  std::uint32_t(word[2]) << 16 | std::uint32_t(word[3]) << 24;
    record_reader in(reader, abort, std::min(version, written_version));
    const std::size_t first_read = presets.size();

    if (version >= 1) in.group_a(current);
    if (version >= 2) {
        in.group_b(current);
        // A count the stream ends inside counts no presets.
        std::uint32_t count = 0;
        in.number(count);
        // Grows with the records that actually arrive: a damaged count reserves nothing.
        for (std::uint32_t i = 0; i < count; ++i) {
            Options preset;
            in.group_a(preset);
            in.group_b(preset);
            in.group_t(preset);
            post_process(preset);
            presets.push_back(std::move(preset));
        }
    }
    in.group_t(current);
    post_process(current);
    read_font_dpis(reader, abort, current, presets, first_read);
}

}  // namespace quennet
