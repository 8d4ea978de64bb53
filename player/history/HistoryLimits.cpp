#include "player/history/HistoryLimits.h"

namespace player::history {
namespace {

void put(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(value >> (8 * i)));
}

std::uint64_t get(const std::vector<std::uint8_t>& in, std::size_t at, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= std::uint64_t(in[at + i]) << (8 * i);
    return value;
}

std::string grouped(std::uint64_t n) {
    std::string digits = std::to_string(n);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3) digits.insert(std::size_t(at), ",");
    return digits;
}

}  // namespace

std::vector<std::uint8_t> HistoryLimits::to_bytes() const {
    std::vector<std::uint8_t> out;
    put(out, updates, 4);
    put(out, changed_values, 8);
    return out;
}

HistoryLimits HistoryLimits::from_bytes(const std::vector<std::uint8_t>* bytes) {
    HistoryLimits limits;
    if (!bytes || bytes->size() < 12) return limits;
    limits.updates = std::uint32_t(get(*bytes, 0, 4));
    limits.changed_values = get(*bytes, 4, 8);
    return limits;
}

std::string HistoryLimits::describe() const {
    return "The last " + grouped(updates) + " updates or " + grouped(changed_values) +
           " changed values are kept, whichever is more.";
}

}  // namespace player::history
