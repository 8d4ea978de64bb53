#include "player/prefs/IntegerText.h"

namespace player {
namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::string> decimal_of(std::string_view text, bool may_be_negative) {
    while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && text.front() == '-' && may_be_negative) {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    for (char c : text)
        if (!is_digit(c)) return std::nullopt;
    while (text.size() > 1 && text.front() == '0') text.remove_prefix(1);
    if (text == "0") return std::string("0");
    return (negative ? "-" : "") + std::string(text);
}

}  // namespace player
