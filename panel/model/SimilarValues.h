#pragma once
// Values of a field that are written differently but mean the same: equal once letter case, accents,
// white space and punctuation are set aside ("Hip Hop", "Hip-Hop", "hip hop", "HipHop"). No window.
#include <cstddef>
#include <string>
#include <vector>

#include "sdk/metadb.h"

namespace quennet {

struct ValueCount {
    std::string value;
    std::size_t files = 0;  // library files that carry it (a file carrying it twice counts once)
};

// Values whose keys are equal; at least two, the most carried first (ties in byte order).
using SimilarGroup = std::vector<ValueCount>;

// What is left of a value when case, accents, white space and punctuation are set aside: letters and
// digits, lower case, accents dropped (Latin letters; combining marks). Empty for a value of only spaces
// and punctuation.
std::string similarity_key(const std::string& value);

// Every value of `field` in the library with the number of files carrying it, under the read lock.
std::vector<ValueCount> count_library_values(const sonavel::metadb_handle_list& library, const std::string& field);

// The groups among `values`, the group with the most files first (ties: the first value's byte order).
std::vector<SimilarGroup> similar_groups(const std::vector<ValueCount>& values);

}  // namespace quennet
