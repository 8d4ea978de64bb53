#include "host/PanelHostCheck.h"

#include <limits>

#include "host/Identity.h"
#include "sdk/component.h"
#include "sdk/core_api.h"

namespace quennet {
namespace {
bool is_c_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
}  // namespace

std::uint32_t version_piece_value(std::string_view piece) {
    std::size_t at = 0;
    while (at < piece.size() && is_c_space(piece[at])) ++at;
    bool negative = false;
    if (at < piece.size() && (piece[at] == '+' || piece[at] == '-')) negative = piece[at++] == '-';
    // Anything past 2^31 saturates, so the magnitude never needs more than 64 bits.
    constexpr std::int64_t limit = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    for (; at < piece.size() && piece[at] >= '0' && piece[at] <= '9'; ++at) {
        magnitude = magnitude * 10 + (piece[at] - '0');
        if (magnitude > limit) magnitude = limit;
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) value = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
}

VersionVerdict judge_panel_host_version(std::string_view version) {
    std::size_t index = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t dot = version.find('.', start);
        std::uint32_t value =
            version_piece_value(version.substr(start, dot == std::string_view::npos ? dot : dot - start));
        std::uint32_t minimum = minimum_panel_host_version[index];
        if (index == 3) return value >= minimum ? VersionVerdict::sufficient : VersionVerdict::insufficient;
        if (value > minimum) return VersionVerdict::sufficient;
        if (value < minimum) return VersionVerdict::insufficient;
        if (dot == std::string_view::npos) return VersionVerdict::undecided;
        ++index;
        start = dot + 1;
    }
}

bool panel_host_sufficient(const std::vector<ComponentNameVersion>& components) {
    for (const auto& [name, version] : components) {
        if (name != panel_host_name) continue;
        VersionVerdict verdict = judge_panel_host_version(version);
        if (verdict != VersionVerdict::undecided) return verdict == VersionVerdict::sufficient;
    }
    return false;
}

bool installed_panel_host_sufficient() {
    std::vector<ComponentNameVersion> components;
    for (const auto& component : sonavel::service_list_t<sonavel::componentversion>()) {
        ComponentNameVersion entry;
        component->get_component_name(entry.first);
        if (entry.first == panel_host_name) component->get_component_version(entry.second);
        components.push_back(std::move(entry));
    }
    return panel_host_sufficient(components);
}

std::string version_text_of(const std::uint32_t (&pieces)[4]) {
    std::string text;
    for (std::uint32_t piece : pieces) {
        if (!text.empty()) text += '.';
        text += std::to_string(piece);
    }
    return text;
}

}  // namespace quennet
