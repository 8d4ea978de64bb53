// $meta and $meta_sep: record fields named by text computed at run time.
#include <cstdint>
#include <iterator>
#include <limits>

#include "player/engine/titleformat/functions.h"
#include "player/engine/titleformat/numbers.h"

namespace player::titleformat {

namespace {

Outcome run_meta(Evaluator& e, const Arguments& a, std::string& out) {
    auto name = e.argument(a[0]);
    if (a.size() == 1) return e.field(name.text(), ", ", out);
    std::int64_t index = parse_number(e.argument(a[1]).text());
    bool representable = index >= 0 && std::uint64_t(index) <= std::numeric_limits<std::size_t>::max();
    return e.field_value(name.text(), representable ? std::size_t(index) : std::size_t(-1), out);
}

Outcome run_meta_sep(Evaluator& e, const Arguments& a, std::string& out) {
    auto name = e.argument(a[0]);
    auto separator = e.argument(a[1]);
    return e.field(name.text(), separator.text(), out);
}

const FunctionInfo functions[] = {
    {"meta", 1, 2, run_meta},
    {"meta_sep", 2, 2, run_meta_sep},
};

}  // namespace

FunctionFamily field_functions() noexcept { return {std::begin(functions), std::end(functions)}; }

}  // namespace player::titleformat
