// Arbitrary bytes as the player's stored view (view.cfg). Reading may raise the host's data-format error;
// anything else is a finding. What was read must write bytes that read back to the same view and write
// the same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "player/app/ViewLayout.h"
#include "sdk/errors.h"

namespace {

using bytes_t = std::vector<std::uint8_t>;

bytes_t written(const player::ViewLayout& view) {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    player::write_view_layout(writer, view, abort);
    return writer.data();
}

bool same(const player::ViewLayout& a, const player::ViewLayout& b) {
    return a.columns == b.columns && a.placed == b.placed && a.left == b.left && a.top == b.top && a.right == b.right &&
           a.bottom == b.bottom && a.maximized == b.maximized && a.dock_width == b.dock_width && a.panels == b.panels &&
           a.shown_popups == b.shown_popups;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sonavel::abort_callback_dummy abort;
    player::ViewLayout view;
    try {
        sonavel::stream_reader_memblock reader(data, size);
        view = player::read_view_layout(reader, abort);
    } catch (const sonavel::exception_io_data&) {
        return 0;
    }
    const bytes_t first = written(view);
    sonavel::stream_reader_memblock back(first);
    player::ViewLayout again = player::read_view_layout(back, abort);
    if (!same(again, view) || back.remaining() != 0) std::abort();
    if (written(again) != first) std::abort();
    return 0;
}
