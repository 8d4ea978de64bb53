#pragma once
// The component's identity, and the panel host it needs.
#include <cstdint>

namespace quennet {

inline constexpr const char* display_name = "Varnel Panel";
inline constexpr const char* version_text = "1.2.10";
inline constexpr const char* about_text =
    "Panoplex Panel for tagging music\n"
    "Originally written as a tag panel for the player's first panel host\n"
    "Rewritten and maintained by the Varnel Panel developers\n";
inline constexpr const char* required_file_name = "quennet.dll";

// The component name the panel host reports in the host's component list, compared byte for byte.
inline constexpr const char* panel_host_name = "Panoplex";
inline constexpr std::uint32_t minimum_panel_host_version[4] = {0, 3, 8, 8};

}  // namespace quennet
