// Values across the whole library: finding similar values on a library of 1,000,000 tracks, and renaming
// a value in 10,000 files against a plain Apply of one value to the same files (the component's share:
// both hand the same host update the same number of records).
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>

#include "panel/model/LibraryValueChange.h"
#include "panel/model/SimilarValues.h"
#include "panel/model/TagChanges.h"
#include "player/engine/HostEngines.h"

namespace {

// Spellings a library gathers for one genre: "Genre 12 Mix", "genre 12 mix", "Genre-12-Mix", ...
std::string spelling(std::uint32_t base, std::uint32_t variant) {
    const std::string n = std::to_string(base);
    switch (variant % 5) {
    case 0: return "Genre " + n + " Mix";
    case 1: return "genre " + n + " mix";
    case 2: return "Genre-" + n + "-Mix";
    case 3: return "GenreMix " + n;
    default: return "Génre " + n + " Mix";
    }
}

std::unique_ptr<player::HostEngines> started_host() {
    auto host = std::make_unique<player::HostEngines>();
    host->console.set_mirror(false);
    host->register_services();
    host->start();
    return host;
}

// `count` tracks, each with 1 to 3 GENRE values drawn from 1,000 genres in 5 spellings; with `every`
// set, each also carries that value, at a random place.
player::HostEngines& library_of(std::size_t count, const std::string& every = {}) {
    static std::map<std::pair<std::size_t, std::string>, std::unique_ptr<player::HostEngines>> hosts;
    auto& host = hosts[{count, every}];
    if (!host) {
        host = started_host();
        std::mt19937 random(7);
        sonavel::metadb_handle_list tracks;
        tracks.reserve(count);
        sonavel::file_info_impl record;
        for (std::size_t i = 0; i < count; ++i) {
            record.meta_remove_all();
            record.meta_add("ARTIST", ("Artist " + std::to_string(i / 97)).c_str());
            record.meta_add("TITLE", ("Title " + std::to_string(i)).c_str());
            const std::uint32_t k = 1 + random() % 3;
            const std::uint32_t at = random() % (k + 1);
            for (std::uint32_t g = 0; g <= k; ++g) {
                if (g == at) {
                    if (!every.empty()) record.meta_add("GENRE", every.c_str());
                    continue;
                }
                record.meta_add("GENRE", spelling(random() % 1000, random()).c_str());
            }
            player::Track& track = host->store.track(("mem://" + std::to_string(i)).c_str());
            host->store.set_record(track, &record);
            tracks.push_back(sonavel::metadb_handle_ptr(&track));
        }
        host->library.add_items(tracks);
    }
    sonavel::set_core(&host->core);
    return *host;
}

// What "Find similar values..." lists: every value of the field counted over the library, then grouped.
void BM_FindSimilarValues(benchmark::State& state) {
    auto& host = library_of(std::size_t(state.range(0)));
    const auto library = host.library.get_all_items();
    std::size_t groups = 0, values = 0;
    for (auto _ : state) {
        auto counts = quennet::count_library_values(library, "GENRE");
        values = counts.size();
        groups = quennet::similar_groups(counts).size();
    }
    state.counters["values"] = double(values);
    state.counters["groups"] = double(groups);
}
BENCHMARK(BM_FindSimilarValues)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The records of a rename of a value that all 10,000 files carry...
void BM_Rename10k(benchmark::State& state) {
    auto& host = library_of(10'000, "Hip Hop");
    const auto library = host.library.get_all_items();
    const quennet::LibraryValueChange change{quennet::ValueChangeKind::rename, "GENRE", "Hip Hop", "Hip-Hop", {}, {}};
    std::size_t files = 0;
    for (auto _ : state) files = quennet::plan_library_change(library, change).writes.tracks.size();
    state.counters["files"] = double(files);
}
BENCHMARK(BM_Rename10k)->Unit(benchmark::kMillisecond);

// ...against those of an Apply that adds one value to the same 10,000 files.
void BM_ApplyOneValue10k(benchmark::State& state) {
    auto& host = library_of(10'000, "Hip Hop");
    const auto selection = host.library.get_all_items();
    const quennet::EditMap add{{"GENRE", {{"Blues"}, &selection}}};
    std::size_t files = 0;
    for (auto _ : state) files = quennet::compose_new_records({&selection}, add, {}).tracks.size();
    state.counters["files"] = double(files);
}
BENCHMARK(BM_ApplyOneValue10k)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
