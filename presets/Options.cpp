#include "presets/Options.h"

#include <algorithm>

#include "sdk/core_api.h"
#include "sdk/utf8.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quennet {
namespace {

panoplex::colour_t fallback_colour(unsigned index) {
#ifdef _WIN32
    static constexpr int system_colours[] = {COLOR_WINDOWTEXT, COLOR_HIGHLIGHTTEXT, COLOR_BTNTEXT, COLOR_WINDOW,
                                             COLOR_HIGHLIGHT, COLOR_BTNFACE, COLOR_WINDOWFRAME};
    return index < 7 ? panoplex::colour_t(GetSysColor(system_colours[index])) : 0;
#else
    // Without Windows: the classic defaults of the same system colours.
    static constexpr panoplex::colour_t system_colours[] = {0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF,
                                                            0xD77800, 0xF0F0F0, 0x646464};
    return index < 7 ? system_colours[index] : 0;
#endif
}

panoplex::log_font global_font(panoplex::fonts::font_type_t type) {
    panoplex::log_font font;
    sonavel::standard_api_create_t<panoplex::fonts::manager>()->get_font(type, font);
    return font;
}

bool less_without_case(const std::string& a, const std::string& b) {
    return sonavel::stricmp_utf8_ex(a, b) < 0;
}

}  // namespace

panoplex::colour_t global_colour(unsigned index) {
    auto colours = sonavel::standard_api_try_create_t<panoplex::colours::manager>();
    if (!colours) return fallback_colour(index);
    return colours->get_colour(panoplex::colours::colour_identifier_t(index));
}

Options::Options() { apply_global_colors_and_fonts(); }

void Options::apply_global_colors_and_fonts() {
    if (!global_colors_and_fonts) return;
    list_font = global_font(panoplex::fonts::font_type_items);
    text_font = global_font(panoplex::fonts::font_type_labels);
    list_font_dpi = 0;
    text_font_dpi = 0;
    text_color = global_colour(panoplex::colours::colour_text);
    list_color = global_colour(panoplex::colours::colour_text);
    back_color = global_colour(panoplex::colours::colour_inactive_selection_background);
    list_back_color = global_colour(panoplex::colours::colour_background);
}

void Options::clear_tags() {
    tags.clear();
    tag_set.clear();
}

bool Options::add_value(const std::string& value) {
    if (value.empty() || !tag_set.insert(value).second) return false;
    tags.push_back(value);
    return true;
}

void Options::add_tags(const std::string& text, char separator) {
    std::size_t before = tags.size();
    std::size_t start = 0;
    for (;;) {
        std::size_t cut = text.find(separator == 0 ? '\n' : separator, start);
        if (cut == std::string::npos) {
            add_value(text.substr(start));
            break;
        }
        std::string piece = text.substr(start, cut - start);
        if (separator == 0) {
            while (!piece.empty() && piece.back() == '\r') piece.pop_back();
        }
        add_value(piece);
        start = cut + 1;
    }
    if (tags.size() > before && sort_list) sort_tags();
}

std::string Options::tags_as_text(char separator) const {
    const std::string joint = separator == 0 ? std::string("\r\n") : std::string(1, separator);
    std::string text;
    for (const auto& value : tags) {
        if (value.empty()) continue;
        if (!text.empty()) text += joint;
        text += value;
    }
    return text;
}

void Options::sort_tags() {
    // Values equal without regard to case end in no defined order; any order of them is right.
    std::sort(tags.begin(), tags.end(), less_without_case);
}

int find_preset(const std::vector<Options>& presets, const std::string& name) {
    for (std::size_t i = 0; i < presets.size(); ++i) {
        if (presets[i].name == name) return int(i);
    }
    return -1;
}

void update_preset(std::vector<Options>& presets, const Options& options) {
    int index = find_preset(presets, options.name);
    if (index >= 0 && &presets[std::size_t(index)] != &options) presets[std::size_t(index)] = options;
}

}  // namespace quennet
