#include "panel/model/ValueCountTip.h"

#include "panel/model/CheckStates.h"

namespace quennet {

std::string value_count_tip(const std::string& value, std::uint32_t count, std::uint32_t selection_count) {
    if (value_state(count, selection_count) == in_no_track) return value + ": not in the selection";
    return value + ": " + std::to_string(count) + " of " + std::to_string(selection_count) + " selected tracks";
}

std::string value_count_tip(const Options& options, const std::string& value, std::uint32_t selection_count) {
    auto found = options.value_counts.find(value);
    return value_count_tip(value, found == options.value_counts.end() ? 0 : found->second, selection_count);
}

}  // namespace quennet
