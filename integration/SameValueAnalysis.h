#pragma once
// The analysis behind "Tag with same value from library": each selected track gets the value of the
// field that is most frequent among the library tracks agreeing with it under a title-formatting pattern
// (the same album, say). Runs on the host's worker thread and touches only its own lists and the host's
// read-only services: title formatting, the search filter and the records under the database read lock.
#include <cstddef>
#include <optional>
#include <string>

#include "panel/model/TagChanges.h"
#include "sdk/abort.h"
#include "sdk/search.h"
#include "sdk/threaded_process.h"
#include "sdk/titleformat.h"

namespace quennet {

// The host services the analysis asks.
struct SameValueServices {
    sonavel::service_ptr_t<sonavel::titleformat_service> titleformat;
    sonavel::service_ptr_t<sonavel::search_filter_service> search;

    // Looked up by the caller's thread: lookups are safe from any thread once start-up is over.
    static SameValueServices of_host();
};

struct SameValueInput {
    // Re-ordered by the pattern's text during the analysis, so that tracks of one key follow each other.
    sonavel::metadb_handle_list selected;
    sonavel::metadb_handle_list library;
    std::string pattern;
    std::string field;
};

// Decides the new records into `out` (each track once, a full record with `field` set to the single
// best value), reporting "Analyze <path>" and the progress per selected track. false when cancelled;
// what was decided before stays in `out` and must not be written. Raises "Bug check" when neither the
// pattern nor "%filename%" compiles; other host errors propagate.
bool analyze_same_values(SameValueInput& input, const SameValueServices& services,
                         sonavel::threaded_process_status& status, sonavel::abort_callback& abort, WriteList& out);

// The library query of one key: the pattern's text equals the key and the field is neither empty nor
// missing. Every text is quoted with its double quotes escaped: a key such as
// `x" OR "%genre%" PRESENT OR "%album%" IS "x` is a key like any other, never a query of its own.
std::string same_value_query(const std::string& pattern, const std::string& key, const std::string& field);

// Progress after `done` of `total` tracks on the host's 0 to 5000 scale; no overflow for any list size.
std::size_t same_value_progress(std::size_t done, std::size_t total) noexcept;

}  // namespace quennet
