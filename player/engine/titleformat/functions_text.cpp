// Text functions. Each one's truth value and missing-field mark are those of its first argument, whose
// text it transforms.
#include <algorithm>
#include <iterator>

#include "player/engine/titleformat/functions.h"
#include "player/engine/titleformat/numbers.h"
#include "player/engine/titleformat/utf8_text.h"

namespace player::titleformat {

namespace {

// A count argument: negative counts are 0, huge ones are capped.
std::size_t count_argument(Evaluator& e, const Sequence& item) {
    auto text = e.argument(item);
    return std::size_t(std::clamp<std::int64_t>(parse_number(text.text()), 0, max_repeat_count));
}

template <void (*Append)(std::string&, std::string_view)>
Outcome run_mapped(Evaluator& e, const Arguments& a, std::string& out) {
    auto text = e.argument(a[0]);
    Append(out, text.text());
    return text.outcome;
}

Outcome run_left(Evaluator& e, const Arguments& a, std::string& out) {
    auto text = e.argument(a[0]);
    std::size_t count = count_argument(e, a[1]);
    out += text.text().substr(0, prefix_bytes(text.text(), count));
    return text.outcome;
}

Outcome run_right(Evaluator& e, const Arguments& a, std::string& out) {
    auto text = e.argument(a[0]);
    std::size_t count = count_argument(e, a[1]);
    std::size_t total = count_code_points(text.text());
    out += text.text().substr(prefix_bytes(text.text(), total > count ? total - count : 0));
    return text.outcome;
}

Outcome run_len(Evaluator& e, const Arguments& a, std::string& out) {
    auto text = e.argument(a[0]);
    append_number(out, std::int64_t(count_code_points(text.text())));
    return text.outcome;
}

Outcome run_pad(Evaluator& e, const Arguments& a, std::string& out) {
    auto text = e.argument(a[0]);
    std::size_t width = count_argument(e, a[1]);
    static const Sequence no_fill;
    std::string_view fill = " ";
    auto fill_text = e.argument(a.size() > 2 ? a[2] : no_fill);
    if (!fill_text.text().empty()) fill = fill_text.text().substr(0, prefix_bytes(fill_text.text(), 1));
    out += text.text();
    for (std::size_t length = count_code_points(text.text()); length < width; ++length) out += fill;
    return text.outcome;
}

Outcome run_trim(Evaluator& e, const Arguments& a, std::string& out) {
    auto text = e.argument(a[0]);
    std::string_view view = text.text();
    std::size_t first = view.find_first_not_of(' ');
    if (first != std::string_view::npos) out += view.substr(first, view.find_last_not_of(' ') - first + 1);
    return text.outcome;
}

Outcome run_replace(Evaluator& e, const Arguments& a, std::string& out) {
    auto text = e.argument(a[0]);
    auto from = e.argument(a[1]);
    auto to = e.argument(a[2]);
    std::string_view rest = text.text();
    if (!from.text().empty()) {
        for (std::size_t at; (at = rest.find(from.text())) != std::string_view::npos;) {
            out += rest.substr(0, at);
            out += to.text();
            rest.remove_prefix(at + from.text().size());
        }
    }
    out += rest;
    return text.outcome;
}

Outcome run_repeat(Evaluator& e, const Arguments& a, std::string& out) {
    auto text = e.argument(a[0]);
    // The result is capped, not only the count: a repeat nested in another would multiply them.
    std::size_t count = count_argument(e, a[1]);
    if (!text.text().empty()) count = std::min(count, std::size_t(max_repeat_count) / text.text().size());
    for (std::size_t n = count; n > 0; --n) out += text.text();
    return text.outcome;
}

const FunctionInfo functions[] = {
    {"lower", 1, 1, run_mapped<append_lower>},
    {"upper", 1, 1, run_mapped<append_upper>},
    {"caps", 1, 1, run_mapped<append_caps>},
    {"left", 2, 2, run_left},
    {"right", 2, 2, run_right},
    {"len", 1, 1, run_len},
    {"pad", 2, 3, run_pad},
    {"trim", 1, 1, run_trim},
    {"replace", 3, 3, run_replace},
    {"repeat", 2, 2, run_repeat},
};

}  // namespace

FunctionFamily text_functions() noexcept { return {std::begin(functions), std::end(functions)}; }

}  // namespace player::titleformat
