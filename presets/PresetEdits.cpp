#include "presets/PresetEdits.h"

namespace quennet {

Options new_preset(const PresetFields& fields, const std::string& name) {
    Options preset;
    store_fields(fields, preset);
    preset.name = name;
    return preset;
}

Options renamed_preset(const Options& old, const PresetFields& fields, const std::string& name) {
    Options preset;
    preset.list_font = old.list_font;
    preset.text_font = old.text_font;
    preset.list_font_dpi = old.list_font_dpi;
    preset.text_font_dpi = old.text_font_dpi;
    preset.text_color = old.text_color;
    preset.list_color = old.list_color;
    preset.back_color = old.back_color;
    preset.list_back_color = old.list_back_color;
    store_fields(fields, preset);
    preset.name = name;
    return preset;
}

bool erase_first_preset(std::vector<Options>& presets, const std::string& name) {
    const int index = find_preset(presets, name);
    if (index < 0) return false;
    presets.erase(presets.begin() + index);
    return true;
}

int position_after_removal(int removed, int remaining) {
    if (remaining <= 0) return PresetFields::no_choice;
    return removed < remaining ? removed : remaining - 1;
}

}  // namespace quennet
