#include "player/app/ViewLayout.h"

#include <memory>

#include "player/engine/FileReplacement.h"
#include "sdk/errors.h"

namespace player {
namespace {
constexpr std::uint32_t view_version = 1;
// Beyond these counts a file is damaged, not a view.
constexpr std::uint32_t max_columns = 256;
constexpr std::uint32_t max_panels = 1024;
constexpr std::size_t max_field = 1024;

// A name or title as stored: not empty where it names something, no longer than a name can be, and
// without a zero byte (the writer ends its texts there, so such a text is damage).
std::string stored_text(sonavel::stream_reader& reader, sonavel::abort_callback& abort, bool may_be_empty) {
    std::string text = reader.read_string(abort);
    if ((text.empty() && !may_be_empty) || text.size() > max_field || text.find('\0') != std::string::npos)
        throw sonavel::exception_io_data();
    return text;
}
// The panels' positions in layout.cfg after the popup windows, when the file has them: the views placed
// at those positions, any position not named keeping the default view. Without them the views stay in
// the order they were stored in.
std::vector<PanelView> by_layout_position(sonavel::stream_reader& reader, sonavel::abort_callback& abort,
                                          std::vector<PanelView> stored) {
    std::uint8_t first[4];
    const std::size_t got = reader.read(first, sizeof first, abort);
    if (got == 0) return stored;
    if (got != sizeof first) throw sonavel::exception_io_data();
    const std::uint32_t count = std::uint32_t(first[0]) | std::uint32_t(first[1]) << 8 |
                                std::uint32_t(first[2]) << 16 | std::uint32_t(first[3]) << 24;
    if (count != stored.size()) throw sonavel::exception_io_data();
    std::vector<PanelView> placed;
    std::vector<bool> named;
    for (const PanelView& panel : stored) {
        const std::uint32_t position = reader.read_lendian_u32(abort);
        if (position >= max_panels) throw sonavel::exception_io_data();
        if (position >= placed.size()) {
            placed.resize(position + 1);
            named.resize(position + 1);
        }
        if (named[position]) throw sonavel::exception_io_data();
        named[position] = true;
        placed[position] = panel;
    }
    return placed;
}
}  // namespace

ViewLayout read_view_layout(sonavel::stream_reader& reader, sonavel::abort_callback& abort) {
    if (reader.read_lendian_u32(abort) != view_version) throw sonavel::exception_io_data();
    ViewLayout view;
    std::uint32_t columns = reader.read_lendian_u32(abort);
    if (columns > max_columns) throw sonavel::exception_io_data();
    for (std::uint32_t i = 0; i < columns; ++i) {
        ColumnLayout column;
        column.field = stored_text(reader, abort, false);
        column.width = reader.read_lendian_i32(abort);
        view.columns.push_back(std::move(column));
    }
    view.placed = reader.read_lendian_u32(abort) != 0;
    if (view.placed) {
        view.left = reader.read_lendian_i32(abort);
        view.top = reader.read_lendian_i32(abort);
        view.right = reader.read_lendian_i32(abort);
        view.bottom = reader.read_lendian_i32(abort);
        view.maximized = reader.read_lendian_u32(abort) != 0;
    }
    view.dock_width = reader.read_lendian_i32(abort);
    std::uint32_t panels = reader.read_lendian_u32(abort);
    if (panels > max_panels) throw sonavel::exception_io_data();
    for (std::uint32_t i = 0; i < panels; ++i) {
        PanelView panel;
        panel.height = reader.read_lendian_i32(abort);
        panel.hidden = reader.read_lendian_u32(abort) != 0;
        view.panels.push_back(panel);
    }
    std::uint32_t popups = reader.read_lendian_u32(abort);
    if (popups > max_panels) throw sonavel::exception_io_data();
    for (std::uint32_t i = 0; i < popups; ++i) {
        view.shown_popups.push_back(stored_text(reader, abort, true));
    }
    view.panels = by_layout_position(reader, abort, std::move(view.panels));
    return view;
}

void write_view_layout(sonavel::stream_writer& writer, const ViewLayout& view, sonavel::abort_callback& abort) {
    writer.write_lendian_u32(view_version, abort);
    writer.write_lendian_u32(std::uint32_t(view.columns.size()), abort);
    for (const auto& column : view.columns) {
        writer.write_string(column.field, abort);
        writer.write_lendian_i32(column.width, abort);
    }
    writer.write_lendian_u32(view.placed ? 1 : 0, abort);
    if (view.placed) {
        for (int value : {view.left, view.top, view.right, view.bottom}) writer.write_lendian_i32(value, abort);
        writer.write_lendian_u32(view.maximized ? 1 : 0, abort);
    }
    writer.write_lendian_i32(view.dock_width, abort);
    writer.write_lendian_u32(std::uint32_t(view.panels.size()), abort);
    for (const auto& panel : view.panels) {
        writer.write_lendian_i32(panel.height, abort);
        writer.write_lendian_u32(panel.hidden ? 1 : 0, abort);
    }
    writer.write_lendian_u32(std::uint32_t(view.shown_popups.size()), abort);
    for (const auto& title : view.shown_popups) writer.write_string(title, abort);
    writer.write_lendian_u32(std::uint32_t(view.panels.size()), abort);
    for (std::uint32_t position = 0; position < view.panels.size(); ++position) writer.write_lendian_u32(position, abort);
}

ViewLayout read_view_layout(const std::string& utf8_path) {
    std::unique_ptr<sonavel::file_reader> file;
    try {
        file = std::make_unique<sonavel::file_reader>(utf8_path.c_str());
    } catch (const sonavel::exception_io_data&) {
        return {};
    }
    sonavel::abort_callback_dummy abort;
    return read_view_layout(*file, abort);
}

void write_view_layout(const std::string& utf8_path, const ViewLayout& view) {
    write_file_replacing(utf8_path, [&](sonavel::stream_writer& file, sonavel::abort_callback& abort) {
        write_view_layout(file, view, abort);
    });
}

}  // namespace player
