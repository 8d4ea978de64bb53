// Arbitrary bytes as an audio file read by the player's tag reader (TagLib, its kind told by content).
// Reading may find no audio; anything else is a finding, and so is a record with a field name, a value
// or a technical detail that is not valid UTF-8, or a length that is not a number of seconds.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include <tbytevector.h>
#include <tbytevectorstream.h>

#include "fuzz/utf8_check.h"
#include "player/app/TagReader.h"

namespace {

bool valid(const char* text) { return text && fuzz_check::valid_utf8(text); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TagLib::ByteVector bytes(reinterpret_cast<const char*>(data), static_cast<unsigned>(size));
    TagLib::ByteVectorStream stream(bytes);
    std::optional<sonavel::file_info_impl> record = player::read_track_record(stream);
    if (!record) return 0;
    for (std::size_t field = 0; field < record->meta_get_count(); ++field) {
        if (!valid(record->meta_enum_name(field))) std::abort();
        for (std::size_t value = 0; value < record->meta_enum_value_count(field); ++value)
            if (!valid(record->meta_enum_value(field, value))) std::abort();
    }
    for (std::size_t i = 0; i < record->info_get_count(); ++i)
        if (!valid(record->info_enum_name(i)) || !valid(record->info_enum_value(i))) std::abort();
    if (!std::isfinite(record->get_length()) || record->get_length() < 0) std::abort();
    return 0;
}
