#pragma once
// Values the user types: in the panel's add box ("Rock; Pop") and, one a line, in the Options dialog's
// value list. Values read from files or stored presets never pass through here: they keep their bytes.
#include <string>
#include <string_view>
#include <vector>

#include "presets/Options.h"

namespace quennet {

// `text` without the white space around it: ASCII white space, the no-break space and the ideographic
// space (what an input method types between words).
std::string_view trim_white_space(std::string_view text);

// The pieces of `text` split at `separator` (0: into lines, CR LF or LF), each trimmed, empty ones dropped,
// in typed order; duplicates stay. A piece equal byte for byte to one of `known` (values shown to the user
// for editing, which may come from files) keeps its bytes, so that an untouched " Acoustic" stays itself.
std::vector<std::string> typed_values(std::string_view text, char separator, const value_set& known = {});

// Appends the typed values not yet listed (the unique-insert rule) and sorts when something was added and
// the preset sorts; true when something was added.
bool add_typed_values(Options& options, std::string_view text, char separator, const value_set& known = {});

}  // namespace quennet
