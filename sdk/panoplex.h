#pragma once
// The panel host's global fonts and colours. Needs no Windows header: a font is the 92-byte Windows
// LOGFONTW, a colour a COLORREF (0x00BBGGRR).
#include <cstdint>

#include "sdk/service.h"

namespace panoplex {

using sonavel::guid;
using sonavel::service_base;

// Same layout as LOGFONTW.
struct log_font {
    std::int32_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
    std::uint8_t italic = 0, underline = 0, strike_out = 0, char_set = 0, out_precision = 0, clip_precision = 0,
                 quality = 0, pitch_and_family = 0;
    char16_t face_name[32] = {};
};
static_assert(sizeof(log_font) == 92, "log_font must have the LOGFONTW layout");

using colour_t = std::uint32_t;

namespace fonts {

enum font_type_t : unsigned { font_type_items = 0, font_type_labels = 1 };

// Implemented by panels; called on the main thread when a global font changed.
class common_callback {
public:
    virtual void on_font_changed(std::uint32_t changed_mask) const = 0;

protected:
    ~common_callback() = default;
};

// Implemented by the panel host; main thread.
class manager : public service_base {
public:
    static constexpr guid class_guid = {0x75662EF0, 0x2C9E, 0x48DE, {0x94, 0xC6, 0x14, 0x61, 0x52, 0x05, 0x0C, 0x80}};
    using parent_t = service_base;

    virtual void get_font(font_type_t type, log_font& out) const = 0;
    virtual void register_common_callback(common_callback* callback) = 0;
    virtual void deregister_common_callback(common_callback* callback) = 0;
};

}  // namespace fonts

namespace colours {

enum colour_identifier_t : unsigned {
    colour_text = 0,
    colour_selection_text = 1,
    colour_inactive_selection_text = 2,
    colour_background = 3,
    colour_selection_background = 4,
    colour_inactive_selection_background = 5,
    colour_active_item_frame = 6,
};

// Implemented by panels; called on the main thread when global colours or colour switches changed.
class common_callback {
public:
    virtual void on_colour_changed(std::uint32_t changed_mask) const = 0;
    virtual void on_bool_changed(std::uint32_t changed_mask) const = 0;

protected:
    ~common_callback() = default;
};

// Implemented by the panel host; main thread.
class manager : public service_base {
public:
    static constexpr guid class_guid = {0x5C0C6719, 0x1621, 0x4962, {0xB3, 0xFE, 0x15, 0x64, 0x3B, 0xC1, 0xB7, 0x07}};
    using parent_t = service_base;

    virtual colour_t get_colour(colour_identifier_t index) const = 0;
    virtual void register_common_callback(common_callback* callback) = 0;
    virtual void deregister_common_callback(common_callback* callback) = 0;
};

}  // namespace colours
}  // namespace panoplex
