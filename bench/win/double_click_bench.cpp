// The double-click query over the whole library: the search, the sort by the preset's pattern (formatted
// by worker threads from 256 tracks on) and the playlist filled with the result.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/LibraryShape.h"
#include "panel/window/DoubleClickQuery.h"
#include "panel/window/TrackSort.h"
#include "sdk/core_api.h"
#include "sdk/playlist.h"
#include "sdk/utf8.h"

namespace {

// Every tenth track or so carries "Genre 7": about 6,000 of 100,000 library tracks match.
void BM_Win32_DoubleClickQuery_SortedPlaylist(benchmark::State& state) {
    bench::host_with_selection(std::size_t(state.range(0)));
    quennet::Options preset;
    preset.metadata_field = "GENRE";
    preset.sort_order = "%artist% %album% %title%";
    preset.playlist_name = "Bench";
    preset.doubleclick_action = quennet::Options::replace_playlist;
    const std::string query = quennet::double_click_query("GENRE", "Genre 7", {}, {});
    auto playlists = sonavel::standard_api_create_t<sonavel::playlist_service>();
    const std::size_t active = playlists->get_active_playlist();
    for (auto _ : state) quennet::fill_playlist_from_query(preset, "Genre 7", query);
    const std::size_t filled = playlists->find_playlist("Bench");
    state.counters["tracks"] = double(playlists->get_item_count(filled));
    // The other benchmarks share this host: they expect their playlist active, with its selection.
    playlists->set_active_playlist(active);
    playlists->remove_playlist(filled);
}
BENCHMARK(BM_Win32_DoubleClickQuery_SortedPlaylist)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The sort alone, 10,000 tracks by a three-field pattern.
void BM_Win32_SortTracksByPattern_10k(benchmark::State& state) {
    auto& host = bench::host_with_selection(10'000);
    sonavel::service_ptr_t<sonavel::titleformat_object> pattern;
    host.titleformat.compile(pattern, "%artist% %album% %title%");
    const sonavel::metadb_handle_list all = host.library.get_all_items();
    for (auto _ : state) {
        sonavel::metadb_handle_list tracks = all;
        quennet::sort_tracks_by_format(tracks, *pattern);
        benchmark::DoNotOptimize(tracks.data());
    }
    state.counters["threads"] = double(quennet::format_thread_count(all.size(), quennet::available_processors()));
}
BENCHMARK(BM_Win32_SortTracksByPattern_10k)->Unit(benchmark::kMillisecond);

// What of that is the platform's logical comparison: 10,000 ready texts sorted with it.
void BM_Win32_LogicalCompareSortOnly_10k(benchmark::State& state) {
    auto& host = bench::host_with_selection(10'000);
    sonavel::service_ptr_t<sonavel::titleformat_object> pattern;
    host.titleformat.compile(pattern, "%artist% %album% %title%");
    std::vector<std::wstring> texts;
    std::string text;
    for (const auto& track : host.library.get_all_items()) {
        pattern->run(track, nullptr, text);
        texts.push_back(sonavel::utf8_to_wide(text));
    }
    for (auto _ : state) {
        std::vector<std::wstring> sorted = texts;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const std::wstring& a, const std::wstring& b) { return StrCmpLogicalW(a.c_str(), b.c_str()) < 0; });
        benchmark::DoNotOptimize(sorted.data());
    }
}
BENCHMARK(BM_Win32_LogicalCompareSortOnly_10k)->Unit(benchmark::kMillisecond);

}  // namespace
