#pragma once
// Turns script text into its tree.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "player/engine/titleformat/SyntaxTree.h"

namespace player::titleformat {

struct CompileError {
    // Byte offset in the script of the construct at fault.
    std::size_t offset = 0;
    std::string message;
};

// Deeper nesting of sections, parentheses and calls fails to compile instead of exhausting the stack.
inline constexpr std::size_t max_nesting = 200;

std::optional<Sequence> compile_sequence(std::string_view script, CompileError& error);

}  // namespace player::titleformat
