#include "player/engine/titleformat/Script.h"

#include "player/engine/titleformat/Evaluator.h"

namespace player::titleformat {

std::optional<Script> Script::compile(std::string_view text, CompileError* error) {
    CompileError ignored;
    std::optional<Sequence> root = compile_sequence(text, error ? *error : ignored);
    if (!root) return std::nullopt;
    return Script(std::move(*root));
}

bool Script::format(const sonavel::file_info& info, const char* path, std::string& out) const {
    FormatScratch scratch;
    return format(&info, path ? std::string_view(path) : std::string_view(), out, scratch);
}

bool Script::format(const sonavel::file_info* info, std::string_view path, std::string& out,
                    FormatScratch& scratch) const {
    out.clear();
    Evaluator evaluator(info, path, scratch);
    return evaluator.sequence(root_, out).found;
}

}  // namespace player::titleformat
