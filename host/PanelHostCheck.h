#pragma once
// Whether the panel host is installed in a version the component can work with.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quennet {

// One entry of the host's component list: component name, version text.
using ComponentNameVersion = std::pair<std::string, std::string>;

enum class VersionVerdict { sufficient, insufficient, undecided };

// One dot-separated piece of a version text as a number: leading white space skipped, an optional sign,
// then the decimal digits up to the first other character (none: 0). Like strtol with a 32-bit long, a
// value out of range saturates; the result is taken as unsigned, so negative numbers become large ones.
std::uint32_t version_piece_value(std::string_view piece);

// One panel host's version text against minimum_panel_host_version. Undecided when the text has fewer
// than four pieces and all of them equal the minimum's.
VersionVerdict judge_panel_host_version(std::string_view version);

// Components in the host's order: the first panel host whose version decides, decides; none deciding
// means insufficient. Names are compared byte for byte; versions of other components are not read.
bool panel_host_sufficient(const std::vector<ComponentNameVersion>& components);

// panel_host_sufficient over the registered componentversion services. Needs the host's core.
bool installed_panel_host_sufficient();

// The pieces joined by ".".
std::string version_text_of(const std::uint32_t (&pieces)[4]);

}  // namespace quennet
