#include "player/history/HistorySettings.h"

#include <limits>

namespace player::history {

HistoryLimitEntry::HistoryLimitEntry(limit which, std::function<HistoryLimits()> get,
                                     std::function<void(const HistoryLimits&)> set)
    : which_(which), get_(std::move(get)), set_(std::move(set)) {}

void HistoryLimitEntry::get_name(std::string& out) {
    out = which_ == limit::updates ? "Updates kept (the last N)" : "Changed values kept (updates holding up to N)";
}

sonavel::guid HistoryLimitEntry::get_guid() {
    static constexpr sonavel::guid updates = {0x3E9A51C3, 0x7D04, 0x4B8F, {0x92, 0x1A, 0x6C, 0x5F, 0x08, 0xE3, 0xB7, 0x44}};
    static constexpr sonavel::guid values = {0x3E9A51C4, 0x7D04, 0x4B8F, {0x92, 0x1A, 0x6C, 0x5F, 0x08, 0xE3, 0xB7, 0x44}};
    return which_ == limit::updates ? updates : values;
}

void HistoryLimitEntry::reset() {
    HistoryLimits limits = get_();
    if (which_ == limit::updates) limits.updates = HistoryLimits::default_updates;
    else limits.changed_values = HistoryLimits::default_changed_values;
    set_(limits);
}

void HistoryLimitEntry::get_state(std::string& out) {
    const HistoryLimits limits = get_();
    out = std::to_string(which_ == limit::updates ? std::uint64_t(limits.updates) : limits.changed_values);
}

void HistoryLimitEntry::set_state(const char* text) {
    std::uint64_t value = 0;
    const char* c = text;
    if (!c || !*c) return;
    const std::uint64_t maximum = which_ == limit::updates ? std::numeric_limits<std::uint32_t>::max()
                                                           : std::numeric_limits<std::uint64_t>::max() / 10 - 9;
    for (; *c; ++c) {
        if (*c < '0' || *c > '9') return;
        value = value * 10 + std::uint64_t(*c - '0');
        if (value > maximum) value = maximum;
    }
    if (value == 0) value = 1;
    HistoryLimits limits = get_();
    if (which_ == limit::updates) limits.updates = std::uint32_t(value);
    else limits.changed_values = value;
    set_(limits);
}

}  // namespace player::history
