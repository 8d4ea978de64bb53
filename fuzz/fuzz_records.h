#pragma once
// The records the text fuzzers run their scripts and queries on: ASCII, accented and CJK text, several
// values of one field, an empty value, numbers, dates, a field whose name differs only in case.
#include <utility>
#include <vector>

#include "sdk/file_info.h"

namespace fuzz_records {

inline sonavel::file_info_impl record(std::vector<std::pair<const char*, const char*>> fields) {
    sonavel::file_info_impl info;
    for (auto [name, value] : fields) info.meta_add(name, value);
    return info;
}

inline std::vector<sonavel::file_info_impl> records() {
    auto full = record({{"ARTIST", "Ann"}, {"artist", "Bob"}, {"TITLE", "Song"}, {"ALBUM", "Blue"},
                        {"GENRE", ""}, {"GENRE", "Rock"}, {"TRACKNUMBER", "3/12"}, {"DATE", "1999-04-01"},
                        {"NAME", "\xC3\x84rger \xC3\xBC" "ber \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8E\xB5"}});
    full.set_length(215.5);
    full.info_set("bitrate", "128");
    return {full, sonavel::file_info_impl(), record({{"TITLE", "-12"}, {"ALBUM ARTIST", "  x  "}})};
}

}  // namespace fuzz_records
