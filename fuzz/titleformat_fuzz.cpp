// Arbitrary bytes as a title-formatting script (presets store their sort order and captions as scripts).
// Compiling may refuse the script; anything else is a finding, and so is a script of valid UTF-8 that
// turns valid records into text that is not valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_records.h"
#include "fuzz/utf8_check.h"
#include "player/engine/titleformat/Script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    player::titleformat::CompileError error;
    std::optional<player::titleformat::Script> script = player::titleformat::Script::compile(text, &error);
    if (!script) {
        if (error.offset > size) std::abort();
        return 0;
    }
    static const auto records = fuzz_records::records();
    const bool valid = fuzz_check::valid_utf8(text);
    std::string out;
    player::titleformat::FormatScratch scratch;
    for (const auto& record : records) {
        script->format(record, "C:\\Music\\A\\01 Song.flac", out);
        if (valid && !fuzz_check::valid_utf8(out)) std::abort();
        std::string again;
        script->format(&record, "C:\\Music\\A\\01 Song.flac", again, scratch);
        if (again != out) std::abort();
    }
    script->format(nullptr, "", out, scratch);
    if (valid && !fuzz_check::valid_utf8(out)) std::abort();
    return 0;
}
