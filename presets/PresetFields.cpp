#include "presets/PresetFields.h"

#include "presets/TypedValues.h"

namespace quennet {

const std::array<const char*, 3>& edge_style_names() {
    static constexpr std::array<const char*, 3> names = {"None", "Grey", "Sunken"};
    return names;
}

const std::array<const char*, 2>& doubleclick_action_names() {
    static constexpr std::array<const char*, 2> names = {"Add to playlist", "Replace playlist"};
    return names;
}

PresetFields fields_of(const Options& options) {
    PresetFields fields;
    fields.metadata_field = options.metadata_field;
    fields.tags = options.tags_as_text(0);
    fields.sort_list = options.sort_list;
    fields.scan_library = options.scan_library;
    fields.filter_on_focused_tags = options.filter_on_focused_tags;
    fields.global_colors_and_fonts = options.global_colors_and_fonts;
    fields.edge_style = options.edge_style;
    fields.doubleclick_action = options.doubleclick_action;
    fields.scan_fields = options.scan_fields;
    fields.playlist_name = options.playlist_name;
    fields.filter_fields = options.filter_fields;
    fields.sort_order = options.sort_order;
    fields.same_value_fields = options.same_value_fields;
    return fields;
}

void store_fields(const PresetFields& fields, Options& options) {
    options.metadata_field = fields.metadata_field;
    options.sort_list = fields.sort_list;
    options.scan_library = fields.scan_library;
    options.filter_on_focused_tags = fields.filter_on_focused_tags;
    options.global_colors_and_fonts = fields.global_colors_and_fonts;
    options.apply_global_colors_and_fonts();
    // Lines the user left as they were shown keep their bytes (a value read from a file may carry
    // spaces); typed ones are trimmed.
    const value_set shown = std::move(options.tag_set);
    options.clear_tags();
    add_typed_values(options, fields.tags, 0, shown);
    if (fields.edge_style != PresetFields::no_choice) options.edge_style = fields.edge_style;
    if (fields.doubleclick_action != PresetFields::no_choice) options.doubleclick_action = fields.doubleclick_action;
    options.scan_fields = fields.scan_fields;
    options.playlist_name = fields.playlist_name;
    options.filter_fields = fields.filter_fields;
    options.sort_order = fields.sort_order;
    options.same_value_fields = fields.same_value_fields;
}

}  // namespace quennet
