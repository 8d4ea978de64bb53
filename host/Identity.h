#pragma once
// The component's identity.
namespace quennet {

inline constexpr const char* display_name = "Varnel Panel";
inline constexpr const char* version_text = "1.2.10";
inline constexpr const char* about_text =
    "Panoplex Panel for tagging music\n"
    "Originally written as a tag panel for the player's first panel host\n"
    "Rewritten and maintained by the Varnel Panel developers\n";
inline constexpr const char* required_file_name = "quennet.dll";

}  // namespace quennet
