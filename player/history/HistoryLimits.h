#pragma once
// How much of the history of tag updates is kept: the newest `updates` updates, or as many of the newest
// as hold `changed_values` changed values together, whichever keeps more. Kept in player.cfg.
#include <cstdint>
#include <string>
#include <vector>

namespace player::history {

struct HistoryLimits {
    static constexpr std::uint32_t default_updates = 100;
    static constexpr std::uint64_t default_changed_values = 1000000;

    std::uint32_t updates = default_updates;
    std::uint64_t changed_values = default_changed_values;

    // The block in player.cfg: u32 updates, u64 changed values, little-endian. Missing or short bytes
    // give the defaults.
    std::vector<std::uint8_t> to_bytes() const;
    static HistoryLimits from_bytes(const std::vector<std::uint8_t>* bytes);
    // What the history window and the documentation say about the bound.
    std::string describe() const;
};

// The name of the block in player.cfg.
inline constexpr const char* history_limits_block = "tag update history";

}  // namespace player::history
