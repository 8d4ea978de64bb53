#pragma once
// A panel's presets as its instance configuration: the working preset record and the panel's preset list in
// one byte stream. Written as version 5; versions 1 to 5 are read, later ones as 5.
#include <vector>

#include "presets/Options.h"
#include "sdk/stream.h"

namespace quennet {

// Writes all or throws the writer's error.
void write_store(sonavel::stream_writer& writer, sonavel::abort_callback& abort, const Options& current,
                 const std::vector<Options>& presets);

// Replaces `current` and appends the stored presets to `presets`. An empty stream resets `current` to a
// default record and leaves `presets` alone. A stream that ends inside a string throws the stream error:
// presets read by then stay appended, and `current` keeps what was read into it, not yet post-processed.
void read_store(sonavel::stream_reader& reader, sonavel::abort_callback& abort, Options& current,
                std::vector<Options>& presets);

}  // namespace quennet
