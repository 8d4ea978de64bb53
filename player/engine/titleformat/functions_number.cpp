// Integer functions. Arithmetic wraps around at 64 bits; a result is true when any argument is true and
// carries the missing-field mark when any argument does.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>

#include "player/engine/titleformat/functions.h"
#include "player/engine/titleformat/numbers.h"

namespace player::titleformat {

namespace {

using Operation = std::int64_t (*)(std::int64_t, std::int64_t);

// Two's complement conversion: defined by the compilers we build with (and by C++20).
std::int64_t wrap(std::uint64_t value) { return static_cast<std::int64_t>(value); }

std::int64_t add(std::int64_t a, std::int64_t b) { return wrap(std::uint64_t(a) + std::uint64_t(b)); }
std::int64_t subtract(std::int64_t a, std::int64_t b) { return wrap(std::uint64_t(a) - std::uint64_t(b)); }
std::int64_t multiply(std::int64_t a, std::int64_t b) { return wrap(std::uint64_t(a) * std::uint64_t(b)); }
// A zero divisor leaves the running value unchanged rather than failing the whole script.
std::int64_t divide(std::int64_t a, std::int64_t b) {
    if (b == 0) return a;
    if (b == -1) return wrap(0 - std::uint64_t(a));
    return a / b;
}
std::int64_t remainder(std::int64_t a, std::int64_t b) {
    if (b == 0) return a;
    if (b == -1) return 0;
    return a % b;
}

template <Operation Op>
Outcome run_fold(Evaluator& e, const Arguments& a, std::string& out) {
    Outcome all;
    std::int64_t value = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto item = e.argument(a[i]);
        all.found |= item.outcome.found;
        all.missing |= item.outcome.missing;
        std::int64_t number = parse_number(item.text());
        value = i == 0 ? number : Op(value, number);
    }
    append_number(out, value);
    return all;
}

Outcome run_num(Evaluator& e, const Arguments& a, std::string& out) {
    auto number = e.argument(a[0]);
    std::string digits;
    append_number(digits, parse_number(number.text()));
    std::size_t sign = digits[0] == '-' ? 1 : 0;
    auto width = std::size_t(std::clamp<std::int64_t>(parse_number(e.argument(a[1]).text()), 0, max_repeat_count));
    out.append(digits, 0, sign);
    if (width > digits.size()) out.append(width - digits.size(), '0');
    out.append(digits, sign, std::string::npos);
    return number.outcome;
}

const FunctionInfo functions[] = {
    {"num", 2, 2, run_num},
    {"add", 2, any_count, run_fold<add>},
    {"sub", 2, any_count, run_fold<subtract>},
    {"mul", 2, any_count, run_fold<multiply>},
    {"div", 2, any_count, run_fold<divide>},
    {"mod", 2, any_count, run_fold<remainder>},
};

}  // namespace

FunctionFamily number_functions() noexcept { return {std::begin(functions), std::end(functions)}; }

}  // namespace player::titleformat
