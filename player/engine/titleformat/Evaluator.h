#pragma once
// Walks a compiled script for one record, appending the text to an output buffer.
#include <string>
#include <string_view>

#include "player/engine/titleformat/FormatScratch.h"
#include "player/engine/titleformat/SyntaxTree.h"
#include "sdk/file_info.h"

namespace player::titleformat {

// What a piece of a script yielded besides its text: `found` is its truth value, `missing` tells that
// its text carries the "?" of a missing field (which hides an enclosing section).
struct Outcome {
    bool found = false;
    bool missing = false;
};

class Evaluator {
public:
    // `info` may be null: a track without a record, every field missing.
    Evaluator(const sonavel::file_info* info, std::string_view path, FormatScratch& scratch) noexcept
        : info_(info), path_(path), scratch_(scratch) {}

    Outcome sequence(const Sequence& items, std::string& out);
    Outcome node(const Node& item, std::string& out);

    struct Argument {
        FormatScratch::Lease lease;
        Outcome outcome;
        std::string_view text() const noexcept { return lease.text(); }
    };
    // A function argument evaluated into a borrowed buffer.
    Argument argument(const Sequence& items);
    // The truth value of an argument whose text is not wanted.
    bool test(const Sequence& items, std::string& out);

    // The values of a record field joined by `separator`, or "?" when the record lacks it.
    Outcome field(std::string_view name, std::string_view separator, std::string& out);
    // One value of a field (0 is the first), or "?" when there is no such value.
    Outcome field_value(std::string_view name, std::size_t index, std::string& out);

private:
    Outcome section(const Sequence& items, std::string& out);

    const sonavel::file_info* info_;
    std::string_view path_;
    FormatScratch& scratch_;
};

}  // namespace player::titleformat
