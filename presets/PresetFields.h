#pragma once
// A preset record as the Options dialog's controls show it: texts as typed, flags as check states, the two
// choices as positions in their drop-down lists. Needs no window.
#include <array>
#include <string>

#include "presets/Options.h"

namespace quennet {

struct PresetFields {
    // No selection in a drop-down list.
    static constexpr int no_choice = -1;

    std::string metadata_field;
    std::string tags;  // one value per line
    bool sort_list = false;
    bool scan_library = false;
    bool filter_on_focused_tags = false;
    bool global_colors_and_fonts = false;
    int edge_style = no_choice;
    int doubleclick_action = no_choice;
    std::string scan_fields;
    std::string playlist_name;
    std::string filter_fields;
    std::string sort_order;
    std::string same_value_fields;
};

// The items of the two drop-down lists: an item's position is the value it stands for.
const std::array<const char*, 3>& edge_style_names();
const std::array<const char*, 2>& doubleclick_action_names();

// What the controls show of `options`: its values one per line, CR LF between them.
PresetFields fields_of(const Options& options);

// Stores the controls into `options`. The flags come first, so that with "Global colors and fonts" on the
// panel host's fonts and colours replace the record's; then the value list is replaced by the lines of
// `fields.tags`, trimmed, empty lines dropped (a line equal to one of the record's values keeps its bytes);
// a choice without selection keeps the record's value. The name, and fonts and colours
// other than by the global step, stay.
void store_fields(const PresetFields& fields, Options& options);

}  // namespace quennet
