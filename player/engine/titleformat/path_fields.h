#pragma once
// The fields derived from a track's location ("C:\Music\A\01 Song.flac", "mem://42").
#include <optional>
#include <string_view>

#include "player/engine/titleformat/SyntaxTree.h"

namespace player::titleformat {

// The location field a name stands for (without regard to case), if any.
std::optional<PathField> path_field_named(std::string_view name) noexcept;
// A part of `path`, where both '\' and '/' end folder names: "mem://42" is the file "42" in the folder
// named "" (between the two slashes).
std::string_view path_field_value(PathField field, std::string_view path) noexcept;

}  // namespace player::titleformat
