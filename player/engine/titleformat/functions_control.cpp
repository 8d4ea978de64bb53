// $if, $if2, $if3 and the truth-valued functions. Truth-valued functions write no text: they exist to
// be tested by $if.
#include <iterator>

#include "player/engine/titleformat/functions.h"
#include "player/engine/titleformat/numbers.h"
#include "sdk/utf8.h"

namespace player::titleformat {

namespace {

Outcome truth(bool value) { return {value, false}; }

Outcome run_if(Evaluator& e, const Arguments& a, std::string& out) {
    if (e.test(a[0], out)) return e.sequence(a[1], out);
    if (a.size() > 2) return e.sequence(a[2], out);
    return {};
}

// $if2 and $if3: the first argument but the last that is true, else the last.
Outcome run_first_found(Evaluator& e, const Arguments& a, std::string& out) {
    for (std::size_t i = 0; i + 1 < a.size(); ++i) {
        std::size_t mark = out.size();
        Outcome candidate = e.sequence(a[i], out);
        if (candidate.found) return candidate;
        out.resize(mark);
    }
    return e.sequence(a.back(), out);
}

Outcome run_and(Evaluator& e, const Arguments& a, std::string& out) {
    for (const Sequence& item : a) {
        if (!e.test(item, out)) return truth(false);
    }
    return truth(true);
}

Outcome run_or(Evaluator& e, const Arguments& a, std::string& out) {
    for (const Sequence& item : a) {
        if (e.test(item, out)) return truth(true);
    }
    return truth(false);
}

Outcome run_not(Evaluator& e, const Arguments& a, std::string& out) { return truth(!e.test(a[0], out)); }

Outcome run_strcmp(Evaluator& e, const Arguments& a, std::string&) {
    auto x = e.argument(a[0]);
    auto y = e.argument(a[1]);
    return truth(x.text() == y.text());
}

Outcome run_stricmp(Evaluator& e, const Arguments& a, std::string&) {
    auto x = e.argument(a[0]);
    auto y = e.argument(a[1]);
    return truth(sonavel::stricmp_utf8_ex(x.text(), y.text()) == 0);
}

Outcome run_greater(Evaluator& e, const Arguments& a, std::string&) {
    auto x = e.argument(a[0]);
    auto y = e.argument(a[1]);
    return truth(parse_number(x.text()) > parse_number(y.text()));
}

const FunctionInfo functions[] = {
    {"if", 2, 3, run_if},
    {"if2", 2, 2, run_first_found},
    {"if3", 2, any_count, run_first_found},
    {"and", 1, any_count, run_and},
    {"or", 1, any_count, run_or},
    {"not", 1, 1, run_not},
    {"strcmp", 2, 2, run_strcmp},
    {"stricmp", 2, 2, run_stricmp},
    {"greater", 2, 2, run_greater},
};

}  // namespace

FunctionFamily control_functions() noexcept { return {std::begin(functions), std::end(functions)}; }

}  // namespace player::titleformat
