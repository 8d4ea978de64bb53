#include "presets/FontDpiTrailer.h"

#include <cstdint>

#include "sdk/stored_dpi.h"

namespace quennet {
namespace {

// "FDPI" in the stream's byte order.
constexpr std::uint32_t marker = 0x49504446;

bool has_own_font_dpi(const Options& o) {
    return !o.global_colors_and_fonts && (o.list_font_dpi != 0 || o.text_font_dpi != 0);
}

bool read_pair(sonavel::stream_reader& reader, sonavel::abort_callback& abort, Options& o) {
    std::uint32_t list_dpi = 0;
    std::uint32_t text_dpi = 0;
    if (!reader.try_read_lendian_u32(abort, list_dpi) || !reader.try_read_lendian_u32(abort, text_dpi)) return false;
    if (!o.global_colors_and_fonts) {
        o.list_font_dpi = sonavel::plausible_stored_dpi(list_dpi);
        o.text_font_dpi = sonavel::plausible_stored_dpi(text_dpi);
    }
    return true;
}

}  // namespace

void write_font_dpis(sonavel::stream_writer& writer, sonavel::abort_callback& abort, const Options& current,
                     const std::vector<Options>& presets) {
    bool any = has_own_font_dpi(current);
    for (const Options& preset : presets) any = any || has_own_font_dpi(preset);
    if (!any) return;
    writer.write_lendian_u32(marker, abort);
    auto pair = [&](const Options& o) {
        writer.write_lendian_u32(o.global_colors_and_fonts ? 0 : o.list_font_dpi, abort);
        writer.write_lendian_u32(o.global_colors_and_fonts ? 0 : o.text_font_dpi, abort);
    };
    pair(current);
    for (const Options& preset : presets) pair(preset);
}

void read_font_dpis(sonavel::stream_reader& reader, sonavel::abort_callback& abort, Options& current,
                    std::vector<Options>& presets, std::size_t first_read) {
    std::uint32_t word = 0;
    if (!reader.try_read_lendian_u32(abort, word) || word != marker) return;
    if (!read_pair(reader, abort, current)) return;
    for (std::size_t i = first_read; i < presets.size(); ++i) {
        if (!read_pair(reader, abort, presets[i])) return;
    }
}

}  // namespace quennet
