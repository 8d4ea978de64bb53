#include "ui/PlacementDpiTrailer.h"

#include <cstdint>

namespace quennet {
namespace {

// "PDPI" in the stream's byte order.
constexpr std::uint32_t marker = 0x49504450;
// From a quarter of 96 DPI to sixteen times it: anything else is damage, and the placement stays pixels.
constexpr std::uint32_t lowest_dpi = 24;
constexpr std::uint32_t highest_dpi = 1536;

// A word the stream ends inside counts as missing.
bool read_word(sonavel::stream_reader& reader, sonavel::abort_callback& abort, std::uint32_t& out) {
    std::uint8_t b[4];
    if (reader.read(b, sizeof b, abort) != sizeof b) return false;
    out = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
    return true;
}

std::uint32_t plausible(std::uint32_t dpi) { return dpi >= lowest_dpi && dpi <= highest_dpi ? dpi : 0; }

}  // namespace

void write_placement_dpis(sonavel::stream_writer& writer, sonavel::abort_callback& abort,
                          const std::vector<PopupConfig>& configs) {
    bool any = false;
    for (const PopupConfig& config : configs) any = any || plausible(config.placement_dpi) != 0;
    if (!any) return;
    writer.write_lendian_u32(marker, abort);
    for (const PopupConfig& config : configs) writer.write_lendian_u32(plausible(config.placement_dpi), abort);
}

void read_placement_dpis(sonavel::stream_reader& reader, sonavel::abort_callback& abort,
                         std::vector<PopupConfig>& configs) {
    std::uint32_t word = 0;
    if (!read_word(reader, abort, word) || word != marker) return;
    for (PopupConfig& config : configs) {
        if (!read_word(reader, abort, word)) return;
        config.placement_dpi = plausible(word);
    }
}

}  // namespace quennet
