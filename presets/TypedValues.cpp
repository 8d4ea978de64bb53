#include "presets/TypedValues.h"

namespace quennet {
namespace {

// The length of the white space that starts `text`, 0 when none does.
std::size_t leading_space(std::string_view text) {
    if (text.empty()) return 0;
    const unsigned char c = static_cast<unsigned char>(text[0]);
    if (c == ' ' || (c >= '\t' && c <= '\r')) return 1;
    if (text.substr(0, 2) == "\xC2\xA0") return 2;
    if (text.substr(0, 3) == "\xE3\x80\x80") return 3;
    return 0;
}

std::size_t trailing_space(std::string_view text) {
    if (text.empty()) return 0;
    const unsigned char c = static_cast<unsigned char>(text.back());
    if (c == ' ' || (c >= '\t' && c <= '\r')) return 1;
    if (text.size() >= 2 && text.substr(text.size() - 2) == "\xC2\xA0") return 2;
    if (text.size() >= 3 && text.substr(text.size() - 3) == "\xE3\x80\x80") return 3;
    return 0;
}

}  // namespace

std::string_view trim_white_space(std::string_view text) {
    while (std::size_t n = leading_space(text)) text.remove_prefix(n);
    while (std::size_t n = trailing_space(text)) text.remove_suffix(n);
    return text;
}

std::vector<std::string> typed_values(std::string_view text, char separator, const value_set& known) {
    const char cut_at = separator == 0 ? '\n' : separator;
    std::vector<std::string> values;
    for (;;) {
        const std::size_t cut = text.find(cut_at);
        std::string_view piece = text.substr(0, cut);
        if (separator == 0 && cut != std::string_view::npos && !piece.empty() && piece.back() == '\r')
            piece.remove_suffix(1);
        const std::string_view value = known.count(std::string(piece)) ? piece : trim_white_space(piece);
        if (!value.empty()) values.emplace_back(value);
        if (cut == std::string_view::npos) return values;
        text.remove_prefix(cut + 1);
    }
}

bool add_typed_values(Options& options, std::string_view text, char separator, const value_set& known) {
    bool added = false;
    for (const std::string& value : typed_values(text, separator, known)) added = options.add_value(value) || added;
    if (added && options.sort_list) options.sort_tags();
    return added;
}

}  // namespace quennet
