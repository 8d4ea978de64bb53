// Costs of the stand-in host on a library of a million in-memory tracks.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>

#include "bench/LibraryShape.h"

namespace {

constexpr std::size_t library_size = 1'000'000;

player::HostEngines& shared_host() {
    static std::unique_ptr<player::HostEngines> host = [] {
        auto h = std::make_unique<player::HostEngines>();
        h->console.set_mirror(false);
        h->register_services();
        h->start();
        bench::build_library(*h, library_size);
        return h;
    }();
    return *host;
}

void BM_BuildLibrary(benchmark::State& state) {
    for (auto _ : state) {
        std::size_t before = mallinfo2().uordblks;
        player::HostEngines host;
        host.console.set_mirror(false);
        host.register_services();
        bench::build_library(host, library_size);
        std::size_t after = mallinfo2().uordblks;
        auto use = host.store.memory();
        double text = double(use.value_text_bytes);
        state.counters["heap_bytes_per_track"] = double(after - before) / library_size;
        state.counters["heap_beyond_value_text_per_track"] = (double(after - before) - text) / library_size;
        state.counters["store_bytes_per_track"] = double(use.structure_bytes) / library_size;
        state.counters["distinct_value_text_MB"] = text / 1e6;
    }
}
BENCHMARK(BM_BuildLibrary)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ReadLockedWalkOneField(benchmark::State& state) {
    auto& host = shared_host();
    auto tracks = host.library.get_all_items();
    for (auto _ : state) {
        std::size_t values = 0;
        player::TrackStore::read_scope lock(host.store);
        for (const auto& track : tracks) {
            const sonavel::file_info* info = track->get_info_locked();
            if (!info) continue;
            std::size_t field = info->meta_find("GENRE");
            if (field != sonavel::file_info::npos) values += info->meta_enum_value_count(field);
        }
        benchmark::DoNotOptimize(values);
    }
    state.counters["tracks"] = double(tracks.size());
}
BENCHMARK(BM_ReadLockedWalkOneField)->Unit(benchmark::kMillisecond);

void BM_QueryGenreIs(benchmark::State& state) {
    auto& host = shared_host();
    auto filter = host.search.create("GENRE IS \"Genre 42\"");
    std::size_t found = 0;
    for (auto _ : state) {
        auto tracks = host.library.get_all_items();
        filter->filter(tracks);
        found = tracks.size();
    }
    state.counters["matches"] = double(found);
}
BENCHMARK(BM_QueryGenreIs)->Unit(benchmark::kMillisecond);

void BM_Sort10kByArtistAlbumTitle(benchmark::State& state) {
    auto& host = shared_host();
    auto all = host.library.get_all_items();
    // Every 100th track: 10,000 tracks spread over the library, in a scrambled order.
    sonavel::metadb_handle_list sample;
    for (std::size_t i = 0; i < 10'000; ++i) sample.push_back(all[(i * 7919 % 10'000) * 100]);
    sonavel::service_ptr_t<sonavel::titleformat_object> script;
    host.titleformat.compile(script, "%artist% %album% %title%");
    for (auto _ : state) {
        auto tracks = sample;
        host.titleformat.sort_by_format(tracks, *script);
        benchmark::DoNotOptimize(tracks);
    }
}
BENCHMARK(BM_Sort10kByArtistAlbumTitle)->Unit(benchmark::kMillisecond);

void BM_AllLibraryItems(benchmark::State& state) {
    auto& host = shared_host();
    for (auto _ : state) benchmark::DoNotOptimize(host.library.get_all_items());
}
BENCHMARK(BM_AllLibraryItems)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
