#pragma once
// One test of a query ("GENRE IS Rock") and how a record meets it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "player/engine/query/text_match.h"
#include "player/engine/titleformat/FormatScratch.h"
#include "player/engine/titleformat/Script.h"
#include "sdk/file_info.h"

namespace player::query {

// Buffers reused across records by callers that test many.
struct QueryScratch {
    titleformat::FormatScratch format;
    std::string text;
};

class Condition {
public:
    enum class Test : std::uint8_t { is, has, missing, present };

    // The left side is a field name, or a title-formatting script when `script` is set.
    Condition(Test test, std::string field, std::optional<titleformat::Script> script, std::string_view text)
        : test_(test), field_(std::move(field)), script_(std::move(script)), text_(text), folded_(text) {}

    bool matches(const sonavel::file_info& info, const char* path, QueryScratch& scratch) const;

private:
    bool field_matches(const sonavel::file_info& info) const;
    bool script_matches(const sonavel::file_info& info, const char* path, QueryScratch& scratch) const;
    bool text_matches(const char* value) const noexcept;

    Test test_;
    std::string field_;
    std::optional<titleformat::Script> script_;
    std::string text_;
    FoldedText folded_;
};

}  // namespace player::query
