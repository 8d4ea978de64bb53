#pragma once
// The compiled form of a title-formatting script: a tree built once and walked for every record.
#include <cstdint>
#include <string>
#include <vector>

namespace player::titleformat {

struct FunctionInfo;

// Fields taken from the track's location rather than its record.
enum class PathField : std::uint8_t { filename, filename_ext, path, directoryname, ext };

struct Node;
using Sequence = std::vector<Node>;

struct Node {
    enum class Kind : std::uint8_t { text, field, path_field, section, call };

    Kind kind = Kind::text;
    PathField path_field = PathField::path;
    const FunctionInfo* function = nullptr;
    // Literal text, or the field name.
    std::string text;
    // A section's one sequence, or a call's arguments.
    std::vector<Sequence> children;
};

}  // namespace player::titleformat
