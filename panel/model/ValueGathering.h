#pragma once
// Adding the values of given fields of given tracks to a panel's value list.
#include <string>
#include <vector>

#include "presets/Options.h"
#include "sdk/metadb.h"

namespace quennet {

// Under the database read lock, for each track with a record, for each field in order, each non-empty
// value in value order joins the list by the unique-insert rule. No sorting.
void gather_values(Options& options, const sonavel::metadb_handle_list& tracks, const std::vector<std::string>& fields);

// `text` cut at every ";" (no trimming; empty pieces kept).
std::vector<std::string> split_fields(const std::string& text);

}  // namespace quennet
