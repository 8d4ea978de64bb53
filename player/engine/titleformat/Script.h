#pragma once
// A compiled title-formatting script: compile once, then format any number of records.
#include <optional>
#include <string>
#include <string_view>

#include "player/engine/titleformat/Compiler.h"
#include "player/engine/titleformat/FormatScratch.h"
#include "player/engine/titleformat/SyntaxTree.h"
#include "sdk/file_info.h"

namespace player::titleformat {

class Script {
public:
    // Nothing when the script does not compile; `error` then tells where and why.
    static std::optional<Script> compile(std::string_view text, CompileError* error = nullptr);

    // Replaces `out` by the text for the record `info` of the track at `path` (nullptr: no location).
    // Returns the script's truth value: whether it found something.
    bool format(const sonavel::file_info& info, const char* path, std::string& out) const;
    // For callers that format many records: `info` may be null (a track without a record, every field
    // missing) and `scratch` keeps its buffers between calls.
    bool format(const sonavel::file_info* info, std::string_view path, std::string& out, FormatScratch& scratch) const;

private:
    explicit Script(Sequence root) : root_(std::move(root)) {}
    Sequence root_;
};

}  // namespace player::titleformat
