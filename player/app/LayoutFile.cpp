#include "player/app/LayoutFile.h"

#include <memory>

#include "player/engine/FileReplacement.h"
#include "sdk/stream.h"

namespace player {
namespace {
constexpr std::uint32_t layout_version = 1;
// More panels than anyone docks: a count beyond it is damage, not a layout.
constexpr std::uint32_t max_panels = 1024;
}  // namespace

std::vector<PanelPlacement> read_layout(const std::string& utf8_path) {
    std::unique_ptr<sonavel::file_reader> file;
    try {
        file = std::make_unique<sonavel::file_reader>(utf8_path.c_str());
    } catch (const sonavel::exception_io_data&) {
        return {};
    }
    sonavel::abort_callback_dummy abort;
    if (file->read_lendian_u32(abort) != layout_version) throw sonavel::exception_io_data();
    std::uint32_t count = file->read_lendian_u32(abort);
    if (count > max_panels) throw sonavel::exception_io_data();
    std::vector<PanelPlacement> panels(count);
    for (auto& panel : panels) {
        file->read_object(&panel.type, sizeof panel.type, abort);
        std::string bytes = file->read_string(abort);
        panel.config.assign(bytes.begin(), bytes.end());
    }
    return panels;
}

void write_layout(const std::string& utf8_path, const std::vector<PanelPlacement>& panels) {
    write_file_replacing(utf8_path, [&](sonavel::stream_writer& file, sonavel::abort_callback& abort) {
        file.write_lendian_u32(layout_version, abort);
        file.write_lendian_u32(std::uint32_t(panels.size()), abort);
        for (const auto& panel : panels) {
            file.write(&panel.type, sizeof panel.type, abort);
            file.write_lendian_u32(std::uint32_t(panel.config.size()), abort);
            file.write(panel.config.data(), panel.config.size(), abort);
        }
    });
}

}  // namespace player
