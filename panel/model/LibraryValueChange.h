#pragma once
// A change of one value of a field across the whole library: renamed (merged into another value when the
// new one exists), removed, or split into pieces at chosen separators. Composes each carrying file's new
// values and what the user is shown before anything is written. No window: builds natively too.
#include <cstddef>
#include <string>
#include <vector>

#include "panel/model/TagChanges.h"
#include "presets/Options.h"
#include "sdk/metadb.h"

namespace quennet {

enum class ValueChangeKind { rename, remove, split };

struct LibraryValueChange {
    ValueChangeKind kind = ValueChangeKind::rename;
    std::string field;       // the panel's field
    std::string value;       // the value changed, byte for byte
    std::string new_value;   // rename: the value put in its place
    std::string separators;  // split: each character a separator
    // rename: more values that take the new value too (the merge of a group of similar values)
    std::vector<std::string> more_values;
};

// The pieces of a joined value: split at any of the separator characters, each piece trimmed of spaces,
// empty pieces dropped, a piece that came before not repeated.
std::vector<std::string> split_value(const std::string& value, const std::string& separators);

// One file's values of the field after the change, order kept: the changed value's place takes the new
// value (or the pieces); a value the file would then carry twice is kept at its first place only. Other
// values are untouched. `changed` says whether the result differs from `values`.
std::vector<std::string> changed_values(const std::vector<std::string>& values, const LibraryValueChange& change,
                                        bool& changed);

// The change refused before anything is looked at: nothing to change to, or a change to itself.
// Empty when the change may go ahead, otherwise the reason in the user's words.
std::string refusal(const LibraryValueChange& change);

struct LibraryChangePlan {
    WriteList writes;                      // the files that change, with their new records
    std::size_t carrying_both = 0;         // rename: files that carried the new value already
    std::vector<std::string> sample_paths; // the first few files, as the library lists them
};

// Under the database read lock, every library track that carries the value in the field gets its new
// record; tracks without a record are left out. Without records only the tracks, the samples and the
// count of files carrying both are found (what a preview shows).
LibraryChangePlan plan_library_change(const sonavel::metadb_handle_list& library, const LibraryValueChange& change,
                                      std::size_t samples = 5, bool with_records = true);

// The tracks that carry the changed value (or one of the merged values) in the field: the only ones a
// preview needs to look at again while the user edits the change.
sonavel::metadb_handle_list carrying_tracks(const sonavel::metadb_handle_list& library, const LibraryValueChange& change);

// "Rename 'Hip Hop' to 'Hip-Hop' in 1,234 files" and its kind; the number with thousands separators.
std::string change_summary(const LibraryValueChange& change, std::size_t files);
// The merge note of a rename into an existing value; empty when no file carries both.
std::string merge_note(const LibraryValueChange& change, std::size_t carrying_both);
// The history's name of the update: "Rename value in Varnel Panel" and the like.
std::string change_origin(const LibraryValueChange& change);
std::string thousands(std::size_t n);

// The preset's value list follows the change: the value's entry takes the new value (or the pieces) in
// its place, unless the list holds it already; a removed value leaves the list.
void apply_to_value_list(Options& options, const LibraryValueChange& change);

}  // namespace quennet
