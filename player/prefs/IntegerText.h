#pragma once
// Whole numbers as the user types them into a setting: digits with white space around them, a minus sign
// only where the setting takes negative numbers. Anything else is no number at all, never 0.
#include <optional>
#include <string>
#include <string_view>

namespace player {

// The number's plain decimal form (no leading zeros, "0" for zero, no "-0"), or nullopt when `text` is
// not a whole number. Any count of digits is accepted: whether the setting can hold it is its own affair.
std::optional<std::string> decimal_of(std::string_view text, bool may_be_negative);

}  // namespace player
