#pragma once
// The docked panels between runs (layout.cfg): for each panel its type and its configuration, as the
// panel host stores a layout. File: u32 version 1, u32 count, then per panel its 16-byte type GUID and
// its configuration as u32 byte count and bytes, little-endian.
#include <cstdint>
#include <string>
#include <vector>

#include "sdk/guid.h"
#include "sdk/stream.h"

namespace player {

struct PanelPlacement {
    sonavel::guid type;
    std::vector<std::uint8_t> config;

    friend bool operator==(const PanelPlacement& a, const PanelPlacement& b) {
        return a.type == b.type && a.config == b.config;
    }
};

// A damaged stream raises the host's data error.
std::vector<PanelPlacement> read_layout(sonavel::stream_reader& reader, sonavel::abort_callback& abort);
void write_layout(sonavel::stream_writer& writer, const std::vector<PanelPlacement>& panels,
                  sonavel::abort_callback& abort);

// A missing file is an empty layout; a damaged one raises the host's data error.
std::vector<PanelPlacement> read_layout(const std::string& utf8_path);
void write_layout(const std::string& utf8_path, const std::vector<PanelPlacement>& panels);

}  // namespace player
