#pragma once
// The script functions: names, argument counts and implementations.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "player/engine/titleformat/Evaluator.h"

namespace player::titleformat {

using Arguments = std::vector<Sequence>;

struct FunctionInfo {
    std::string_view name;
    std::size_t min_arguments;
    std::size_t max_arguments;
    Outcome (*run)(Evaluator& evaluator, const Arguments& arguments, std::string& out);
};

inline constexpr std::size_t any_count = std::size_t(-1);

// The function called `name` (without regard to ASCII case), or nullptr.
const FunctionInfo* find_function(std::string_view name) noexcept;

struct FunctionFamily {
    const FunctionInfo* begin;
    const FunctionInfo* end;
};
FunctionFamily control_functions() noexcept;
FunctionFamily text_functions() noexcept;
FunctionFamily number_functions() noexcept;
FunctionFamily field_functions() noexcept;

}  // namespace player::titleformat
