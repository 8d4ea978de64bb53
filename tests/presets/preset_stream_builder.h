#pragma once
// Composes preset streams byte by byte in any stored version, for tests of how they are read. The unused
// bytes of versions 1 to 4 are filled with 0xEE, so a reader that does not skip them misreads what follows.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace preset_test {

using bytes_t = std::vector<std::uint8_t>;

// One record as a stream holds it; each version writes the fields it carries.
struct stored_record {
    std::string metadata_field = "GENRE";
    std::string tags_text;
    bool scan_library = false;
    std::uint8_t list_font_fill = 0x21;  // every byte of the stored font
    std::uint8_t text_font_fill = 0x22;
    std::int32_t edge_style = 1;
    std::uint32_t text_color = 0x010203, list_color = 0x040506, back_color = 0x070809, list_back_color = 0x0A0B0C;
    std::string name;
    std::int32_t doubleclick_action = 0;
    bool sort_list = true;
    std::string scan_fields, playlist_name;
    bool global_colors_and_fonts = true;
    bool filter_on_focused_tags = false;
    std::string filter_fields, sort_order, same_value_fields;
};

class stream_builder {
public:
    // Starts with the version word; versions above 5 are laid out as 5.
    explicit stream_builder(std::uint32_t version) : version_(version) { u32(version); }

    // The current record's groups A and B, as far as the version carries them.
    stream_builder& current_head(const stored_record& r) {
        group_a(r);
        if (version_ >= 2) group_b(r);
        return *this;
    }
    stream_builder& preset(const stored_record& r) {
        group_a(r);
        group_b(r);
        return group_t(r);
    }
    stream_builder& presets(std::initializer_list<stored_record> list) {
        u32(std::uint32_t(list.size()));
        for (const auto& r : list) preset(r);
        return *this;
    }
    stream_builder& group_t(const stored_record& r) {
        if (version_ >= 3) flag(r.global_colors_and_fonts);
        if (version_ >= 4) flag(r.filter_on_focused_tags).text(r.filter_fields);
        if (version_ >= 5) text(r.sort_order).text(r.same_value_fields);
        return *this;
    }

    stream_builder& u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(std::uint8_t(v >> (8 * i)));
        return *this;
    }
    stream_builder& flag(bool v) { return fill(1, v ? 1 : 0); }
    stream_builder& text(const std::string& s) {
        u32(std::uint32_t(s.size()));
        bytes_.insert(bytes_.end(), s.begin(), s.end());
        return *this;
    }
    stream_builder& fill(std::size_t count, std::uint8_t byte) {
        bytes_.insert(bytes_.end(), count, byte);
        return *this;
    }

    std::size_t size() const { return bytes_.size(); }
    const bytes_t& bytes() const { return bytes_; }
    // The first `count` bytes: a stream that ends early.
    bytes_t cut(std::size_t count) const { return bytes_t(bytes_.begin(), bytes_.begin() + count); }

private:
    void group_a(const stored_record& r) {
        text(r.metadata_field).text(r.tags_text);
        if (version_ < 5) fill(2, 0xEE);
        flag(r.scan_library).fill(92, r.list_font_fill).fill(92, r.text_font_fill);
        u32(std::uint32_t(r.edge_style)).u32(r.text_color).u32(r.list_color);
        if (version_ < 5) fill(4, 0xEE);
        u32(r.back_color).u32(r.list_back_color);
    }
    void group_b(const stored_record& r) {
        text(r.name).u32(std::uint32_t(r.doubleclick_action)).flag(r.sort_list).text(r.scan_fields).text(r.playlist_name);
    }

    std::uint32_t version_;
    bytes_t bytes_;
};

}  // namespace preset_test
