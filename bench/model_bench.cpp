// Panel fills on synthetic libraries (the model's part: no list control).
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "bench/LibraryShape.h"
#include "host/ComponentClient.h"
#include "panel/model/LibraryScan.h"
#include "panel/model/PanelFiller.h"
#include "panel/model/TagChanges.h"

namespace {

class NoWindowPanel : public quennet::FillTarget {
public:
    quennet::Options& current_options() override { return current; }
    std::vector<quennet::Options>& preset_list() override { return presets; }
    void update_controls() override {}
    void rebuild_now() override {}
    quennet::Options current;
    std::vector<quennet::Options> presets;
};

player::HostEngines& host_of(std::size_t size) { return bench::host_with_selection(size); }

NoWindowPanel genre_panel() {
    NoWindowPanel panel;
    panel.current.metadata_field = "GENRE";
    return panel;
}

void BM_Event3_Selection10k(benchmark::State& state) {
    host_of(std::size_t(state.range(0)));
    NoWindowPanel panel = genre_panel();
    quennet::PanelFiller filler(panel);
    for (auto _ : state) filler.request_fill(quennet::playlist_changed);
    state.counters["values"] = double(panel.current.tags.size());
}
BENCHMARK(BM_Event3_Selection10k)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_Event8_ScanLibrary(benchmark::State& state) {
    host_of(std::size_t(state.range(0)));
    NoWindowPanel panel = genre_panel();
    panel.current.scan_library = true;
    quennet::PanelFiller filler(panel);
    for (auto _ : state) filler.request_fill(quennet::panel_shown);
    state.counters["values"] = double(panel.current.tags.size());
}
BENCHMARK(BM_Event8_ScanLibrary)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_Event5_FocusedFilterOnArtist(benchmark::State& state) {
    host_of(std::size_t(state.range(0)));
    NoWindowPanel panel = genre_panel();
    panel.current.filter_on_focused_tags = true;
    panel.current.filter_fields = "ARTIST";
    quennet::PanelFiller filler(panel);
    for (auto _ : state) filler.request_fill(quennet::focused_filter_enabled);
    state.counters["values"] = double(panel.current.tags.size());
}
BENCHMARK(BM_Event5_FocusedFilterOnArtist)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_RescanAdded1000(benchmark::State& state) {
    auto& host = host_of(std::size_t(state.range(0)));
    NoWindowPanel panel = genre_panel();
    quennet::PanelFiller filler(panel);
    filler.request_fill(quennet::panel_shown);
    auto all = host.library.get_all_items();
    sonavel::metadb_handle_list added(all.end() - 1000, all.end());
    for (auto _ : state) quennet::rescan_added_tracks(panel.current, filler, added);
}
BENCHMARK(BM_RescanAdded1000)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_ComposeRecords10k_TwoAddedOneRemoved(benchmark::State& state) {
    auto& host = host_of(100'000);
    auto selection = host.playlists.get_selected_items(host.playlists.get_active_playlist());
    quennet::EditMap add{{"GENRE", {{"Genre 7", "Added value"}, &selection}}};
    quennet::EditMap remove{{"GENRE", {{"Genre 42"}, &selection}}};
    std::size_t files = 0;
    for (auto _ : state) files = quennet::compose_new_records({&selection}, add, remove).tracks.size();
    state.counters["files"] = double(files);
}
BENCHMARK(BM_ComposeRecords10k_TwoAddedOneRemoved)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
