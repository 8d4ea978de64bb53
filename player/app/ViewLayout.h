#pragma once
// How the player's window looked at the end of the last run (view.cfg, beside layout.cfg): the
// playlist's columns in their order with their widths, the main window's place (and whether it was
// maximized), the popup windows that were shown, the width of the panel area and the height and
// visibility of each panel of layout.cfg. File: u32 version 1; u32 column count, per column its field as a
// string and i32 width; u32 1 when a place follows, then i32 left, top, right, bottom and u32 maximized;
// i32 panel area width (0: the default); u32 panel count, per panel i32 height (0: an equal share) and u32
// hidden; u32 count of the popup windows shown at the end, per window its title as a string; then u32 the
// panel count again and per panel u32 its position in layout.cfg. Little-endian, strings as u32 byte count
// and UTF-8 bytes. Files written before the positions were stored end after the popup windows: their
// panels follow layout.cfg's order. Readers that do not know the positions stop before them.
#include <cstdint>
#include <string>
#include <vector>

#include "sdk/stream.h"

namespace player {

struct ColumnLayout {
    std::string field;  // a tag field name, or one of the columns' own names for the file name and path
    int width = 0;

    friend bool operator==(const ColumnLayout& a, const ColumnLayout& b) { return a.field == b.field && a.width == b.width; }
};

struct PanelView {
    int height = 0;
    bool hidden = false;

    friend bool operator==(const PanelView& a, const PanelView& b) { return a.height == b.height && a.hidden == b.hidden; }
};

struct ViewLayout {
    std::vector<ColumnLayout> columns;  // empty: the default columns
    bool placed = false;
    int left = 0, top = 0, right = 0, bottom = 0;  // the window's normal (not maximized) place
    bool maximized = false;
    int dock_width = 0;
    std::vector<PanelView> panels;  // by the panel's position in layout.cfg
    std::vector<std::string> shown_popups;  // titles of the popup windows shown at the end
};

// A damaged stream raises the host's data error.
ViewLayout read_view_layout(sonavel::stream_reader& reader, sonavel::abort_callback& abort);
void write_view_layout(sonavel::stream_writer& writer, const ViewLayout& view, sonavel::abort_callback& abort);
// A missing file is the default view; a damaged one raises the host's data error.
ViewLayout read_view_layout(const std::string& utf8_path);
void write_view_layout(const std::string& utf8_path, const ViewLayout& view);

}  // namespace player
