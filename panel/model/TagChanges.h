#pragma once
// The new records an Apply writes: per edited field the values to add and to remove, applied to the
// tracks of the panel that made the edit.
#include <map>
#include <string>
#include <vector>

#include "sdk/file_info.h"
#include "sdk/metadb.h"

namespace quennet {

// One field's edit: its values and the tracks they are for (the editing panel's pending tracks).
struct FieldEdit {
    std::vector<std::string> values;
    const sonavel::metadb_handle_list* tracks = nullptr;
};
// Keyed by field name, byte-wise; a later panel editing the same field replaces the entry.
using EditMap = std::map<std::string, FieldEdit>;

struct WriteList {
    sonavel::metadb_handle_list tracks;
    std::vector<sonavel::file_info_impl> records;  // at the same positions
};

// Under the database read lock, for each track of the edits (in the order of `track_lists`, each track
// once): the add pass appends each value not yet in the field (uCompareString-equal counts as present;
// empty values are never added), then the remove pass removes the first equal value of each value to
// remove. A track whose record was copied is written, even when the passes cancel out; a track without
// a record is left out.
WriteList compose_new_records(const std::vector<const sonavel::metadb_handle_list*>& track_lists, const EditMap& add,
                              const EditMap& remove);

}  // namespace quennet
