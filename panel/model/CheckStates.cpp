#include "panel/model/CheckStates.h"

#include "sdk/utf8.h"

namespace quennet {

std::uint32_t value_state(std::uint32_t count, std::uint32_t selection_count) {
    if (count == 0) return in_no_track;
    return count == selection_count ? in_all_tracks : in_some_tracks;
}

bool filter_admits(const std::string& filter, const std::string& value, std::uint32_t state) {
    if (filter.empty() || sonavel::stricmp_utf8(filter.c_str(), "\\") == 0) return true;
    if (sonavel::stricmp_utf8(filter.c_str(), "\\s") == 0) return state == in_all_tracks || state == in_some_tracks;
    if (sonavel::stricmp_utf8(filter.c_str(), "\\u") == 0) return state == in_no_track;
    return sonavel::stricmp_utf8_partial(value.c_str(), filter.c_str()) == 0;
}

bool refuse_state_change(std::uint32_t old_state_bits, std::uint32_t new_state_bits, bool new_is_selected, bool armed,
                         bool anything_selected, bool busy) {
    if (new_is_selected) return true;
    if (armed && anything_selected && !busy) return false;
    const std::uint32_t old_index = state_image_index(old_state_bits);
    return old_index != 0 && state_image_index(new_state_bits) != old_index;
}

}  // namespace quennet
