// Writes the seed streams of the preset-store fuzzer: stores the panel writes itself, one that ends inside
// a string, and two of the older versions laid out by hand.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/preset_store_host.h"
#include "fuzz/seed_file.h"
#include "presets/PresetStore.h"

namespace {

using quennet::Options;
using fuzz_seed::bytes_t;
using fuzz_seed::write_file;

bytes_t write(const Options& current, const std::vector<Options>& presets) {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    quennet::write_store(writer, abort, current, presets);
    return writer.data();
}

// Groups A and B of a record of versions 1 to 4, with the unused bytes of group A (B from version 2).
void old_head(sonavel::stream_writer& w, std::uint32_t version, const Options& o) {
    sonavel::abort_callback_dummy abort;
    const std::uint8_t unused[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    const std::uint8_t flags[2] = {std::uint8_t(o.scan_library), std::uint8_t(o.sort_list)};
    w.write_string(o.metadata_field, abort);
    w.write_string(o.tags_as_text(';'), abort);
    w.write(unused, 2, abort);
    w.write(&flags[0], 1, abort);
    w.write(&o.list_font, sizeof o.list_font, abort);
    w.write(&o.text_font, sizeof o.text_font, abort);
    for (std::uint32_t v : {std::uint32_t(o.edge_style), o.text_color, o.list_color}) w.write_lendian_u32(v, abort);
    w.write(unused, 4, abort);
    w.write_lendian_u32(o.back_color, abort);
    w.write_lendian_u32(o.list_back_color, abort);
    if (version < 2) return;
    w.write_string(o.name, abort);
    w.write_lendian_i32(o.doubleclick_action, abort);
    w.write(&flags[1], 1, abort);
    w.write_string(o.scan_fields, abort);
    w.write_string(o.playlist_name, abort);
}

// The tail as far as versions 3 and 4 carry it.
void old_tail(sonavel::stream_writer& w, std::uint32_t version, const Options& o) {
    sonavel::abort_callback_dummy abort;
    const std::uint8_t tail[2] = {std::uint8_t(o.global_colors_and_fonts), std::uint8_t(o.filter_on_focused_tags)};
    if (version >= 3) w.write(tail, version >= 4 ? 2 : 1, abort);
    if (version >= 4) w.write_string(o.filter_fields, abort);
}

bytes_t old_store(std::uint32_t version, const Options& current, const Options& preset) {
    sonavel::stream_writer_buffer w;
    sonavel::abort_callback_dummy abort;
    w.write_lendian_u32(version, abort);
    old_head(w, version, current);
    if (version >= 2) {
        w.write_lendian_u32(1, abort);
        old_head(w, version, preset);
        old_tail(w, version, preset);
    }
    old_tail(w, version, current);
    return w.data();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus directory>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    preset_fuzz::panel_host host;

    Options moods;
    moods.name = "Moods";
    moods.metadata_field = "MOOD";
    moods.add_tags("Calm;Angry;calm", ';');
    moods.scan_library = true;
    moods.scan_fields = "GENRE;STYLE";
    moods.sort_order = "%artist% %title%";
    Options styles;
    styles.name = "Styles";
    styles.metadata_field = "STYLE";
    styles.sort_list = false;
    styles.add_tags("Dub;Ambient", ';');
    styles.filter_on_focused_tags = true;
    styles.filter_fields = "ARTIST";
    styles.same_value_fields = "ALBUM";
    styles.global_colors_and_fonts = false;
    styles.list_back_color = 0x202020;

    const bytes_t two_presets = write(moods, {moods, styles});
    const bytes_t ends_inside_string(two_presets.begin(), two_presets.begin() + two_presets.size() / 2);

    bool ok = write_file(dir + "/empty", {}) && write_file(dir + "/defaults", write(Options(), {})) &&
              write_file(dir + "/two_presets", two_presets) &&
              write_file(dir + "/ends_inside_string", ends_inside_string) &&
              write_file(dir + "/version_1", old_store(1, moods, styles)) &&
              write_file(dir + "/version_2", old_store(2, moods, styles)) &&
              write_file(dir + "/version_4", old_store(4, moods, styles));
    if (!ok) std::perror(dir.c_str());
    return ok ? 0 : 1;
}
