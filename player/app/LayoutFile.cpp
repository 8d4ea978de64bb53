#include "player/app/LayoutFile.h"

#include <memory>

#include "player/engine/FileReplacement.h"
#include "sdk/errors.h"

namespace player {
namespace {
constexpr std::uint32_t layout_version = 1;
// More panels than anyone docks: a count beyond it is damage, not a layout.
constexpr std::uint32_t max_panels = 1024;
}  // namespace

std::vector<PanelPlacement> read_layout(sonavel::stream_reader& reader, sonavel::abort_callback& abort) {
    if (reader.read_lendian_u32(abort) != layout_version) throw sonavel::exception_io_data();
    std::uint32_t count = reader.read_lendian_u32(abort);
    if (count > max_panels) throw sonavel::exception_io_data();
    std::vector<PanelPlacement> panels(count);
    for (auto& panel : panels) {
        reader.read_object(&panel.type, sizeof panel.type, abort);
        std::string bytes = reader.read_string(abort);
        panel.config.assign(bytes.begin(), bytes.end());
    }
    return panels;
}

void write_layout(sonavel::stream_writer& writer, const std::vector<PanelPlacement>& panels,
                  sonavel::abort_callback& abort) {
    writer.write_lendian_u32(layout_version, abort);
    writer.write_lendian_u32(std::uint32_t(panels.size()), abort);
    for (const auto& panel : panels) {
        writer.write(&panel.type, sizeof panel.type, abort);
        writer.write_lendian_u32(std::uint32_t(panel.config.size()), abort);
        writer.write(panel.config.data(), panel.config.size(), abort);
    }
}

std::vector<PanelPlacement> read_layout(const std::string& utf8_path) {
    std::unique_ptr<sonavel::file_reader> file;
    try {
        file = std::make_unique<sonavel::file_reader>(utf8_path.c_str());
    } catch (const sonavel::exception_io_data&) {
        return {};
    }
    sonavel::abort_callback_dummy abort;
    return read_layout(*file, abort);
}

void write_layout(const std::string& utf8_path, const std::vector<PanelPlacement>& panels) {
    write_file_replacing(utf8_path, [&](sonavel::stream_writer& file, sonavel::abort_callback& abort) {
        write_layout(file, panels, abort);
    });
}

}  // namespace player
