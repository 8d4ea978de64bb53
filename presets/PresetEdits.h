#pragma once
// The preset list edits behind the Options dialog's New, Rename and Delete. Needs no window.
#include <string>
#include <vector>

#include "presets/PresetFields.h"
#include "presets/Options.h"

namespace quennet {

// A new preset named `name` holding the controls' values; its fonts and colours are those of a default
// record, the panel host's global ones.
Options new_preset(const PresetFields& fields, const std::string& name);

// The preset `old` under the name `name`, holding the controls' values. Renaming keeps the preset's own
// fonts and colours: they are not shown in the controls, and a rename must not lose them.
Options renamed_preset(const Options& old, const PresetFields& fields, const std::string& name);

// Removes the first preset named `name` byte for byte; false when there is none.
bool erase_first_preset(std::vector<Options>& presets, const std::string& name);

// Which entry to select after the entry at `removed` went and `remaining` entries are left: the one now at
// the same position, else the last; no_choice when none is left.
int position_after_removal(int removed, int remaining);

}  // namespace quennet
