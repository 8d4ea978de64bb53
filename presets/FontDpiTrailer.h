#pragma once
// The DPI of each record's own fonts, after the records of the preset store: a marker, then for `current`
// and each preset in list order the list font's and the text font's DPI (u32 each). Written only when some
// record has an own font with a DPI, so that stores of fonts that follow the panel host's stay as they
// were; readers that stop after the records never see it and take the heights as pixels.
#include <cstddef>
#include <vector>

#include "presets/Options.h"
#include "sdk/stream.h"

namespace quennet {

void write_font_dpis(sonavel::stream_writer& writer, sonavel::abort_callback& abort, const Options& current,
                     const std::vector<Options>& presets);

// Sets the font DPIs of `current` and of the presets from `first_read` on, as far as the stream carries
// them. Records that follow the panel host's fonts, and implausible values, keep 0 (pixels as they are).
void read_font_dpis(sonavel::stream_reader& reader, sonavel::abort_callback& abort, Options& current,
                    std::vector<Options>& presets, std::size_t first_read);

}  // namespace quennet
