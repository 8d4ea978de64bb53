#pragma once
// The stored description of one popup panel window, and its byte format in the popup list. Needs no
// window: the placement is held in fixed-size fields of its own and converted where windows exist.
#include <cstdint>
#include <string>
#include <vector>

#include "sdk/guid.h"
#include "sdk/stream.h"

namespace quennet {

// A window's placement: the fields of the system's placement record, 32 bits each.
struct WindowPlacementRecord {
    std::uint32_t length = 0;  // 0: no placement known
    std::uint32_t flags = 0;
    std::uint32_t show_state = 0;  // 0: hidden
    std::int32_t min_x = 0, min_y = 0;
    std::int32_t max_x = 0, max_y = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;

    // A placement worth applying: known, with a normal rectangle that is not empty.
    bool usable() const noexcept { return length != 0 && right > left && bottom > top; }

    friend bool operator==(const WindowPlacementRecord& a, const WindowPlacementRecord& b) noexcept;
    friend bool operator!=(const WindowPlacementRecord& a, const WindowPlacementRecord& b) noexcept { return !(a == b); }
};

struct PopupConfig {
    WindowPlacementRecord placement;
    std::string name;  // set by the user; may be empty
    std::vector<std::uint8_t> panel_config;  // the hosted panel's configuration, as it wrote it
    bool no_system_menu = false;
    bool no_caption = false;
    bool no_border = false;
    bool persistent = false;  // closing only hides the window; it comes back at start-up
    sonavel::guid panel_guid;  // the hosted panel's type; null when none
    // The DPI the placement was taken at; 0 when not known (pixels as they are).
    std::uint32_t placement_dpi = 0;

    friend bool operator==(const PopupConfig& a, const PopupConfig& b) noexcept;
    friend bool operator!=(const PopupConfig& a, const PopupConfig& b) noexcept { return !(a == b); }
};

// The version every entry is written with; readers ignore it.
inline constexpr std::uint32_t popup_config_version = 1;

// One entry of the popup list, all integers little-endian.
void write_popup_config(sonavel::stream_writer& writer, const PopupConfig& config, sonavel::abort_callback& abort);
// Throws the host's stream error when the entry ends early.
PopupConfig read_popup_config(sonavel::stream_reader& reader, sonavel::abort_callback& abort);

// A placement taken at `from` DPI for a window shown at `to` DPI: the same top left corner, the size scaled.
WindowPlacementRecord placement_for_dpi(const WindowPlacementRecord& placement, std::uint32_t from, std::uint32_t to);

// The whole list: a 32-bit count, then the entries back to back, then the DPIs of their placements where
// known (ui/PlacementDpiTrailer.h).
void write_popup_configs(sonavel::stream_writer& writer, const std::vector<PopupConfig>& configs,
                         sonavel::abort_callback& abort);
std::vector<PopupConfig> read_popup_configs(sonavel::stream_reader& reader, sonavel::abort_callback& abort);

}  // namespace quennet
