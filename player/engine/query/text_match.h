#pragma once
// Comparisons of field values with query texts, without regard to case (sdk/utf8.h's case rules).
#include <string>
#include <string_view>

namespace player::query {

// `value` is a record's NUL-terminated value: it is measured only past an ASCII prefix equal to `text`'s.
bool equals_ignoring_case(const char* value, std::string_view text) noexcept;

// A text to look for inside values, upper-cased once when the query is compiled.
class FoldedText {
public:
    explicit FoldedText(std::string_view text);
    bool found_in(std::string_view value) const noexcept;

private:
    std::u32string folded_;
};

}  // namespace player::query
