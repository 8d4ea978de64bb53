#pragma once
// The synthetic libraries the benchmarks measure: ARTIST, ALBUM, TITLE and 1 to 3 GENRE values drawn
// from about 500, generated the same way on every run.
#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "player/engine/HostEngines.h"

namespace bench {

inline std::string genre_name(std::uint32_t i) { return "Genre " + std::to_string(i); }

// Adds `count` tracks to the host's store and library.
inline void build_library(player::HostEngines& host, std::size_t count, std::uint32_t genres = 500) {
    std::mt19937 random(42);
    sonavel::metadb_handle_list tracks;
    tracks.reserve(count);
    sonavel::file_info_impl record;
    for (std::size_t i = 0; i < count; ++i) {
        record.meta_remove_all();
        std::string n = std::to_string(i);
        record.meta_add("ARTIST", ("Artist " + std::to_string(i / 97)).c_str());
        record.meta_add("ALBUM", ("Album " + std::to_string(i / 11)).c_str());
        record.meta_add("TITLE", ("Title " + n).c_str());
        std::uint32_t k = 1 + random() % 3;
        for (std::uint32_t g = 0; g < k; ++g) record.meta_add("GENRE", genre_name(random() % genres).c_str());
        player::Track& track = host.store.track(("mem://" + n).c_str());
        host.store.set_record(track, &record);
        tracks.push_back(sonavel::metadb_handle_ptr(&track));
    }
    host.library.add_items(tracks);
}

// One started host per library size, built once and made the core of this module: the active playlist
// holds the library's first 10,000 tracks, all selected, with the focus on the first.
inline player::HostEngines& host_with_selection(std::size_t size) {
    static std::map<std::size_t, std::unique_ptr<player::HostEngines>> hosts;
    auto& host = hosts[size];
    if (!host) {
        host = std::make_unique<player::HostEngines>();
        host->console.set_mirror(false);
        host->register_services();
        host->start();
        build_library(*host, size);
        auto all = host->library.get_all_items();
        sonavel::metadb_handle_list first(all.begin(), all.begin() + std::min<std::size_t>(10'000, all.size()));
        host->add_playlist("Default", first);
        std::vector<std::size_t> items(first.size());
        for (std::size_t i = 0; i < items.size(); ++i) items[i] = i;
        host->select(items);
        host->focus(0);
    }
    sonavel::set_core(&host->core);
    return *host;
}

}  // namespace bench
