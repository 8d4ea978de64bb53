#pragma once
// What hovering a value in the panel's list tells: how many of the selected tracks carry it, from the
// counts the last fill kept.
#include <cstdint>
#include <string>

#include "presets/Options.h"

namespace quennet {

// "<value>: <n> of <m> selected tracks", or "<value>: not in the selection" when no selected track
// carries it.
std::string value_count_tip(const std::string& value, std::uint32_t count, std::uint32_t selection_count);

// The tip for a value of the panel's preset, `selection_count` being the selection the counts were made for.
std::string value_count_tip(const Options& options, const std::string& value, std::uint32_t selection_count);

}  // namespace quennet
