#include "host/AdvancedSettings.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace quennet {

advconfig_branch_impl::advconfig_branch_impl(std::string name, const sonavel::guid& id, const sonavel::guid& parent,
                                             double sort_priority)
    : name_(std::move(name)), id_(id), parent_(parent), sort_priority_(sort_priority) {}

std::uint64_t integer_from_text(const char* text, std::uint64_t minimum, std::uint64_t maximum) {
    constexpr std::uint64_t largest = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t value = 0;
    for (const char* p = text ? text : ""; *p >= '0' && *p <= '9'; ++p) {
        unsigned digit = unsigned(*p - '0');
        // Saturate instead of wrapping: a long run of digits must not come out as a small number.
        value = value > (largest - digit) / 10 ? largest : value * 10 + digit;
    }
    return std::clamp(value, minimum, maximum);
}

advconfig_entry_integer_impl::advconfig_entry_integer_impl(std::string name, const sonavel::guid& id,
                                                           const sonavel::guid& parent, double sort_priority,
                                                           IntegerBounds bounds, unsigned preference_flags)
    : name_(std::move(name)),
      parent_(parent),
      sort_priority_(sort_priority),
      bounds_(bounds),
      preference_flags_(preference_flags),
      value_(id, bounds.initial) {}

void advconfig_entry_integer_impl::get_state(std::string& out) { out = std::to_string(value_.get()); }

void advconfig_entry_integer_impl::set_state(const char* text) {
    value_ = integer_from_text(text, bounds_.minimum, bounds_.maximum);
}

advconfig_entry_checkbox_impl::advconfig_entry_checkbox_impl(std::string name, const sonavel::guid& id,
                                                             const sonavel::guid& parent, double sort_priority,
                                                             bool initial, bool radio)
    : name_(std::move(name)),
      parent_(parent),
      sort_priority_(sort_priority),
      initial_(initial),
      radio_(radio),
      value_(id, initial) {}

}  // namespace quennet
