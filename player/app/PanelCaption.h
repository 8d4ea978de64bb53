#pragma once
// The caption of a docked panel of the component: the field it edits and its active preset's name, read
// from the panel's stored configuration (the preset store the panel writes). A panel without a field says
// so, with where to choose one, since the panel's own window shows nothing of it.
#include <cstdint>
#include <string>
#include <vector>

namespace player {

// "GENRE - Genres"; "No field chosen: right-click > Options... to choose one" when the field is empty;
// `type_name` alone when the configuration is no preset store.
std::wstring panel_caption(const std::string& type_name, const std::vector<std::uint8_t>& config);

}  // namespace player
