#pragma once
// The DPI each popup window's placement was taken at, after the entries of the popup list: a marker, then
// one u32 per entry in list order. Written only when some entry knows its DPI, so that lists without them
// stay as they were; readers that stop after the entries never see it and take the placements as pixels.
#include <vector>

#include "sdk/stream.h"
#include "ui/PopupConfig.h"

namespace quennet {

void write_placement_dpis(sonavel::stream_writer& writer, sonavel::abort_callback& abort,
                          const std::vector<PopupConfig>& configs);

// Sets the placement DPIs of `configs` as far as the stream carries them. Implausible values, and entries
// the stream ends before, keep 0 (pixels as they are).
void read_placement_dpis(sonavel::stream_reader& reader, sonavel::abort_callback& abort,
                         std::vector<PopupConfig>& configs);

}  // namespace quennet
