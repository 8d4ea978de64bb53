// Arbitrary bytes as a query (presets store the queries of their double-click action and their library
// view). Compiling may refuse the query and say where; anything else is a finding, and so is a compiled
// query that answers one record differently twice.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "fuzz/fuzz_records.h"
#include "player/engine/query/Query.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    player::query::ParseError error;
    std::optional<player::query::Query> query = player::query::Query::try_compile(text, error);
    if (!query) {
        if (error.offset > size) std::abort();
        return 0;
    }
    static const auto records = fuzz_records::records();
    player::query::QueryScratch scratch;
    for (const auto& record : records) {
        const bool first = query->matches(record, "C:\\Music\\A\\01 Song.flac");
        if (query->matches(record, "C:\\Music\\A\\01 Song.flac", scratch) != first) std::abort();
    }
    return 0;
}
