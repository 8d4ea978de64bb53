#pragma once
// The value list's check states: which state image a value shows for the selected tracks, which values a
// filter text lets through, and which state changes the list control may make on its own.
#include <cstdint>
#include <string>
#include <string_view>

#include "resources/resource.h"

namespace quennet {

// State image indexes of the value list. 0 is a row without a state image.
enum : std::uint32_t {
    in_no_track = 1,
    in_all_tracks = 2,
    in_some_tracks = 3,
};

// The list control's state bits hold the state image index here (LVIS_STATEIMAGEMASK).
inline constexpr std::uint32_t state_image_mask = 0xF000;
inline constexpr unsigned state_image_shift = 12;

constexpr std::uint32_t state_image_index(std::uint32_t state_bits) {
    return (state_bits & state_image_mask) >> state_image_shift;
}
constexpr std::uint32_t state_image_bits(std::uint32_t index) {
    return (index << state_image_shift) & state_image_mask;
}

// Shown in the edit boxes while they hold nothing of the user's.
inline constexpr std::string_view add_values_placeholder = "-- add values --";
inline constexpr std::string_view filter_values_placeholder = "-- filter values --";

inline constexpr int checkboxes_bitmap_id = IDB_CHECKBOXES;
inline constexpr int value_list_id = IDC_PANEL_VALUE_LIST;
inline constexpr int filter_edit_id = IDC_PANEL_FILTER;
inline constexpr int add_edit_id = IDC_PANEL_ADD;

// The state image of a value that `count` of `selection_count` selected tracks have. A count above the
// selection (counts from an older selection) shows as "some".
std::uint32_t value_state(std::uint32_t count, std::uint32_t selection_count);

// Whether the filter text lets a value with this state image into the list: "\" all, "\s" values that
// selected tracks have, "\u" values that none has (these three without regard to case); anything else
// matches the start of the value without regard to case. An empty filter lets everything through.
bool filter_admits(const std::string& filter, const std::string& value, std::uint32_t state);

// Whether a change the list control proposes (full state bits before and after) must be refused. Rows are
// never selected; a state image changes only when a click armed the change while tracks are selected and
// no update runs, or when the row had no state image yet.
bool refuse_state_change(std::uint32_t old_state_bits, std::uint32_t new_state_bits, bool new_is_selected, bool armed,
                         bool anything_selected, bool busy);

}  // namespace quennet
