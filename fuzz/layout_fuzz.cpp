// Arbitrary bytes as the player's stored layout (layout.cfg). Reading may raise the host's data-format
// error; anything else is a finding. What was read must write bytes that read back to the same panels and
// write the same bytes again. Panels kept aside because they could not be docked must come back at their
// places among the docked ones.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "player/app/KeptPanels.h"
#include "player/app/LayoutFile.h"
#include "sdk/errors.h"

namespace {

using bytes_t = std::vector<std::uint8_t>;

bytes_t written(const std::vector<player::PanelPlacement>& panels) {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    player::write_layout(writer, panels, abort);
    return writer.data();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sonavel::abort_callback_dummy abort;
    std::vector<player::PanelPlacement> panels;
    try {
        sonavel::stream_reader_memblock reader(data, size);
        panels = player::read_layout(reader, abort);
    } catch (const sonavel::exception_io_data&) {
        return 0;
    }

    const bytes_t first = written(panels);
    sonavel::stream_reader_memblock back(first);
    if (player::read_layout(back, abort) != panels || back.remaining() != 0) std::abort();
    if (size >= 8 && bytes_t(data, data + 8) != bytes_t(first.begin(), first.begin() + 8)) std::abort();

    // Panels whose configuration starts with an odd byte cannot be docked; the others are.
    player::KeptPanels kept;
    std::vector<player::PanelPlacement> docked;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        if (!panels[i].config.empty() && panels[i].config[0] & 1) kept.keep(i, panels[i], "refused");
        else docked.push_back(panels[i]);
    }
    if (written(kept.merged(docked)) != first) std::abort();
    return 0;
}
