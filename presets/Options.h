#pragma once
// The preset record: which field a panel edits, its value list, where more values come from, what a
// double click does and how the panel looks. A plain value: copies own everything in them.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sdk/panoplex.h"

namespace quennet {

// Byte-wise order: "Rock" and "rock" are two values.
using value_set = std::set<std::string>;
using value_count_map = std::map<std::string, std::uint32_t>;

struct Options {
    enum doubleclick : std::int32_t { add_to_playlist = 0, replace_playlist = 1 };
    enum edge : std::int32_t { edge_none = 0, edge_grey = 1, edge_sunken = 2 };

    // Defaults, then the panel host's global fonts and colours (fails without the panel host's font
    // service, as reading a global font does).
    Options();

    std::string name;
    std::string metadata_field;
    std::string tags_text;  // only while a store read splits it
    std::vector<std::string> tags;
    value_set tag_set;
    value_count_map value_counts;
    bool sort_list = true;
    bool scan_library = false;
    bool filter_on_focused_tags = false;
    std::int32_t doubleclick_action = replace_playlist;
    std::string scan_fields;
    std::string playlist_name;
    std::string filter_fields;
    std::int32_t edge_style = edge_sunken;
    std::string sort_order;
    std::string same_value_fields;
    bool global_colors_and_fonts = true;
    panoplex::log_font list_font;
    panoplex::log_font text_font;
    // The DPI at which the own fonts' heights are given, so that they keep their point size at any display
    // scaling; 0: pixels as they are (fonts kept before their DPI was). Fonts that follow the panel host's
    // are given at the system's DPI, and these stay 0.
    std::uint32_t list_font_dpi = 0;
    std::uint32_t text_font_dpi = 0;
    panoplex::colour_t text_color = 0;
    panoplex::colour_t list_color = 0;
    panoplex::colour_t back_color = 0;
    panoplex::colour_t list_back_color = 0;

    void apply_global_colors_and_fonts();
    // Empties tags and tag_set; value_counts stays.
    void clear_tags();
    // Splits `text` at `separator` (0: into lines) and appends the new non-empty pieces; sorts the whole
    // list when something was added and sort_list is on.
    void add_tags(const std::string& text, char separator);
    // The unique-insert rule: appends `value` unless it is empty or already listed; true when added.
    bool add_value(const std::string& value);
    // The non-empty values joined by `separator` (0: CR LF).
    std::string tags_as_text(char separator) const;
    // Sorts tags with the host's case-insensitive comparison (not stable).
    void sort_tags();
};

// Index of the first preset named `name` byte for byte, or -1.
int find_preset(const std::vector<Options>& presets, const std::string& name);
// The preset named like `options` becomes a copy of it; nothing when there is none.
void update_preset(std::vector<Options>& presets, const Options& options);

// The panel host's global colour `index`, or the Windows system colour standing in for it when the
// panel host has no colour service; black for an unknown index.
panoplex::colour_t global_colour(unsigned index);

}  // namespace quennet
