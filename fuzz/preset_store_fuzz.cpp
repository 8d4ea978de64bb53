// Arbitrary bytes as a panel's preset store. Reading may return or raise the host's data-format error;
// anything else is a finding. So is a store the panel wrote itself that does not read back, or that
// does not come back the same after a second write and read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz/preset_store_host.h"
#include "presets/PresetStore.h"

namespace {

using quennet::Options;

struct store {
    Options current;
    std::vector<Options> presets;
};

std::vector<std::uint8_t> write(const store& s) {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    quennet::write_store(writer, abort, s.current, s.presets);
    return writer.data();
}

store read_back(const std::vector<std::uint8_t>& bytes) {
    store s;
    sonavel::stream_reader_memblock reader(bytes);
    sonavel::abort_callback_dummy abort;
    quennet::read_store(reader, abort, s.current, s.presets);
    return s;
}

// Values that differ only in letter case may change places when a sorted list is sorted again.
std::vector<std::string> sorted_values(const Options& o) {
    std::vector<std::string> values = o.tags;
    std::sort(values.begin(), values.end());
    return values;
}

bool same(const Options& a, const Options& b) {
    return a.name == b.name && a.metadata_field == b.metadata_field && sorted_values(a) == sorted_values(b) &&
           a.tag_set == b.tag_set && a.sort_list == b.sort_list && a.scan_library == b.scan_library &&
           a.filter_on_focused_tags == b.filter_on_focused_tags && a.doubleclick_action == b.doubleclick_action &&
           a.scan_fields == b.scan_fields && a.playlist_name == b.playlist_name && a.filter_fields == b.filter_fields &&
           a.edge_style == b.edge_style && a.sort_order == b.sort_order && a.same_value_fields == b.same_value_fields &&
           a.global_colors_and_fonts == b.global_colors_and_fonts &&
           std::memcmp(&a.list_font, &b.list_font, sizeof a.list_font) == 0 &&
           std::memcmp(&a.text_font, &b.text_font, sizeof a.text_font) == 0 && a.text_color == b.text_color &&
           a.list_color == b.list_color && a.back_color == b.back_color && a.list_back_color == b.list_back_color;
}

bool same(const store& a, const store& b) {
    return same(a.current, b.current) && a.presets.size() == b.presets.size() &&
           std::equal(a.presets.begin(), a.presets.end(), b.presets.begin(),
                      [](const Options& x, const Options& y) { return same(x, y); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static preset_fuzz::panel_host host;

    store fuzzed;
    sonavel::stream_reader_memblock reader(data, size);
    sonavel::abort_callback_dummy abort;
    try {
        quennet::read_store(reader, abort, fuzzed.current, fuzzed.presets);
    } catch (const sonavel::exception_io_data&) {
        // A stream that ends inside a string: the panel host's to handle.
    }

    // The first write drops what the format cannot hold (bytes after a zero, ";" inside values); from
    // then on a write and a read keep everything.
    const store once = read_back(write(fuzzed));
    const store twice = read_back(write(once));
    if (!same(once, twice)) std::abort();
    return 0;
}
