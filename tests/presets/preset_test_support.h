#pragma once
// What tests of preset records share: a started host (a record reads the panel host's fonts when it is
// made) and field-by-field comparisons, so that a failure names the field.
#include <gtest/gtest.h>

#include <cstring>

#include "player/engine/HostEngines.h"
#include "presets/Options.h"

namespace preset_test {

// Registered before any record is made.
struct started_host : player::HostEngines {
    started_host() {
        console.set_mirror(false);
        register_services();
        start();
    }
};

inline bool same_font(const panoplex::log_font& a, const panoplex::log_font& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every field the preset store keeps except the value list.
inline void expect_same_stored_fields(const quennet::Options& a, const quennet::Options& b) {
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.metadata_field, b.metadata_field);
    EXPECT_EQ(a.sort_list, b.sort_list);
    EXPECT_EQ(a.scan_library, b.scan_library);
    EXPECT_EQ(a.filter_on_focused_tags, b.filter_on_focused_tags);
    EXPECT_EQ(a.doubleclick_action, b.doubleclick_action);
    EXPECT_EQ(a.scan_fields, b.scan_fields);
    EXPECT_EQ(a.playlist_name, b.playlist_name);
    EXPECT_EQ(a.filter_fields, b.filter_fields);
    EXPECT_EQ(a.edge_style, b.edge_style);
    EXPECT_EQ(a.sort_order, b.sort_order);
    EXPECT_EQ(a.same_value_fields, b.same_value_fields);
    EXPECT_EQ(a.global_colors_and_fonts, b.global_colors_and_fonts);
    EXPECT_TRUE(same_font(a.list_font, b.list_font));
    EXPECT_TRUE(same_font(a.text_font, b.text_font));
    EXPECT_EQ(a.text_color, b.text_color);
    EXPECT_EQ(a.list_color, b.list_color);
    EXPECT_EQ(a.back_color, b.back_color);
    EXPECT_EQ(a.list_back_color, b.list_back_color);
}

}  // namespace preset_test
