#include "player/engine/PanelHostServices.h"

namespace player {
namespace {

panoplex::log_font make_font(std::int32_t height, const char16_t* face) {
    panoplex::log_font font;
    font.height = height;
    font.weight = 400;
    font.char_set = 1;  // DEFAULT_CHARSET
    for (std::size_t i = 0; face[i] && i < 31; ++i) font.face_name[i] = face[i];
    return font;
}

template <typename List, typename T>
void add_once(List& list, T* item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}

template <typename List, typename T>
void remove_all(List& list, T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

GlobalFonts::GlobalFonts() : fonts_{make_font(-12, u"Segoe UI"), make_font(-11, u"Tahoma")} {}

void GlobalFonts::get_font(panoplex::fonts::font_type_t type, panoplex::log_font& out) const {
    out = fonts_[type == panoplex::fonts::font_type_labels ? 1 : 0];
}

void GlobalFonts::register_common_callback(panoplex::fonts::common_callback* callback) { add_once(callbacks_, callback); }

void GlobalFonts::deregister_common_callback(panoplex::fonts::common_callback* callback) {
    remove_all(callbacks_, callback);
}

void GlobalFonts::set_font(panoplex::fonts::font_type_t type, const panoplex::log_font& font) {
    fonts_[type == panoplex::fonts::font_type_labels ? 1 : 0] = font;
    auto listeners = callbacks_;
    for (auto* listener : listeners) listener->on_font_changed(1u << type);
}

// The colours of a light Windows theme, so that tests see plausible defaults.
GlobalColours::GlobalColours()
    : colours_{0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0xD77800, 0xF0F0F0, 0x646464} {}

panoplex::colour_t GlobalColours::get_colour(panoplex::colours::colour_identifier_t index) const {
    return index < 7 ? colours_[index] : 0;
}

void GlobalColours::register_common_callback(panoplex::colours::common_callback* callback) {
    add_once(callbacks_, callback);
}

void GlobalColours::deregister_common_callback(panoplex::colours::common_callback* callback) {
    remove_all(callbacks_, callback);
}

void GlobalColours::set_colour(panoplex::colours::colour_identifier_t index, panoplex::colour_t colour) {
    if (index >= 7) return;
    colours_[index] = colour;
    auto listeners = callbacks_;
    for (auto* listener : listeners) listener->on_colour_changed(1u << index);
}

void GlobalColours::change_bool(std::uint32_t mask) {
    auto listeners = callbacks_;
    for (auto* listener : listeners) listener->on_bool_changed(mask);
}

}  // namespace player
