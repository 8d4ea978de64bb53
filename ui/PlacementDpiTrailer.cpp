#include "ui/PlacementDpiTrailer.h"

#include <cstdint>

#include "sdk/stored_dpi.h"

namespace quennet {
namespace {

// "PDPI" in the stream's byte order.
constexpr std::uint32_t marker = 0x49504450;
}  // namespace

void write_placement_dpis(sonavel::stream_writer& writer, sonavel::abort_callback& abort,
                          const std::vector<PopupConfig>& configs) {
    bool any = false;
    for (const PopupConfig& config : configs) any = any || sonavel::plausible_stored_dpi(config.placement_dpi) != 0;
    if (!any) return;
    writer.write_lendian_u32(marker, abort);
    for (const PopupConfig& config : configs) writer.write_lendian_u32(sonavel::plausible_stored_dpi(config.placement_dpi), abort);
}

void read_placement_dpis(sonavel::stream_reader& reader, sonavel::abort_callback& abort,
                         std::vector<PopupConfig>& configs) {
    std::uint32_t word = 0;
    if (!reader.try_read_lendian_u32(abort, word) || word != marker) return;
    for (PopupConfig& config : configs) {
        if (!reader.try_read_lendian_u32(abort, word)) return;
        config.placement_dpi = sonavel::plausible_stored_dpi(word);
    }
}

}  // namespace quennet
