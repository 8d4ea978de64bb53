#include "player/engine/titleformat/functions.h"

namespace player::titleformat {

namespace {

bool same_name(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x + 32);
        if (y >= 'A' && y <= 'Z') y = char(y + 32);
        if (x != y) return false;
    }
    return true;
}

}  // namespace

const FunctionInfo* find_function(std::string_view name) noexcept {
    for (FunctionFamily family : {control_functions(), text_functions(), number_functions(), field_functions()}) {
        for (const FunctionInfo* f = family.begin; f != family.end; ++f) {
            if (same_name(f->name, name)) return f;
        }
    }
    return nullptr;
}

}  // namespace player::titleformat
