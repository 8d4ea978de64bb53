// Writes the seeds of the player's stored files (player.cfg, layout.cfg) and of the component's popup
// window list, with the code that writes the real files, into <corpus>/player_config, <corpus>/layout and
// <corpus>/popup_list.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/seed_file.h"
#include "player/app/LayoutFile.h"
#include "player/engine/ConfigStore.h"
#include "ui/PopupConfig.h"

namespace {

using fuzz_seed::bytes_t;

template <class Write>
bytes_t bytes_of(Write write) {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    write(writer, abort);
    return writer.data();
}

constexpr sonavel::guid panel_type = {0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr sonavel::guid other_type = {0xAAAAAAAA, 0xBBBB, 0xCCCC, {8, 7, 6, 5, 4, 3, 2, 1}};

bool write(const std::string& folder, const std::string& name, const bytes_t& bytes) {
    std::filesystem::create_directories(folder);
    return fuzz_seed::write_file(folder + "/" + name, bytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_stored_corpus <corpus folder>\n");
        return 2;
    }
    const std::string root = argv[1];
    bool ok = true;

    const std::string configs = root + "/player_config";
    player::ConfigStore store;
    ok &= write(configs, "empty", bytes_of([&](auto& w, auto& a) { store.write(w, a); }));
    store.set_block("quennet.dll", {1, 2, 3, 0, 255});
    ok &= write(configs, "one", bytes_of([&](auto& w, auto& a) { store.write(w, a); }));
    store.set_block("other.dll", {});
    store.set_block("third component.dll", bytes_t(40, 7));
    ok &= write(configs, "three", bytes_of([&](auto& w, auto& a) { store.write(w, a); }));

    const std::string layouts = root + "/layout";
    ok &= write(layouts, "empty", bytes_of([](auto& w, auto& a) { player::write_layout(w, {}, a); }));
    ok &= write(layouts, "one", bytes_of([](auto& w, auto& a) { player::write_layout(w, {{panel_type, {1, 0, 0, 0}}}, a); }));
    ok &= write(layouts, "three", bytes_of([](auto& w, auto& a) {
                    player::write_layout(w, {{panel_type, {2, 0}}, {other_type, {}}, {panel_type, bytes_t(30, 9)}}, a);
                }));

    const std::string popups = root + "/popup_list";
    quennet::PopupConfig plain;
    quennet::PopupConfig full;
    full.name = "Genres \xC3\xA4";
    full.panel_config = {1, 0, 0, 0, 4, 0, 0, 0};
    full.no_caption = full.persistent = true;
    full.panel_guid = panel_type;
    full.placement = {44, 0, 1, -1, -1, -1, -1, 10, 20, 300, 400};
    ok &= write(popups, "empty", bytes_of([](auto& w, auto& a) { quennet::write_popup_configs(w, {}, a); }));
    ok &= write(popups, "two", bytes_of([&](auto& w, auto& a) { quennet::write_popup_configs(w, {plain, full}, a); }));
    return ok ? 0 : 1;
}
