#include "panel/window/TrackSort.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <bitset>
#include <exception>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "sdk/utf8.h"

namespace quennet {

std::size_t format_thread_count(std::size_t tracks, std::size_t processors) noexcept {
    if (tracks < threaded_sort_minimum) return 0;
    return std::max<std::size_t>(1, std::min(tracks / 128, std::max<std::size_t>(1, processors)));
}

std::size_t available_processors() noexcept {
    DWORD_PTR process = 0, system = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system)) return 1;
    return std::max<std::size_t>(1, std::bitset<sizeof(DWORD_PTR) * 8>(process).count());
}

namespace {

void format_range(const sonavel::metadb_handle_list& tracks, sonavel::titleformat_object& pattern,
                  std::vector<std::wstring>& texts, std::size_t begin, std::size_t end) {
    std::string text;
    for (std::size_t i = begin; i < end; ++i) {
        pattern.run(tracks[i], nullptr, text);
        texts[i] = sonavel::utf8_to_wide(text);
    }
}

std::vector<std::wstring> format_all(const sonavel::metadb_handle_list& tracks, sonavel::titleformat_object& pattern) {
    std::vector<std::wstring> texts(tracks.size());
    const std::size_t threads = format_thread_count(tracks.size(), available_processors());
    if (threads == 0) {
        format_range(tracks, pattern, texts, 0, tracks.size());
        return texts;
    }
    // Each worker formats its own slice into its own slots; the first failure is passed on once all ended.
    std::vector<std::exception_ptr> failures(threads);
    std::vector<std::thread> workers;
    workers.reserve(threads);
    const std::size_t slice = (tracks.size() + threads - 1) / threads;
    for (std::size_t t = 0; t < threads; ++t) {
        const std::size_t begin = std::min(tracks.size(), t * slice);
        const std::size_t end = std::min(tracks.size(), begin + slice);
        workers.emplace_back([&, t, begin, end] {
            try {
                format_range(tracks, pattern, texts, begin, end);
            } catch (...) {
                failures[t] = std::current_exception();
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
    return texts;
}

}  // namespace

void sort_tracks_by_format(sonavel::metadb_handle_list& tracks, sonavel::titleformat_object& pattern) {
    const std::vector<std::wstring> texts = format_all(tracks, pattern);
    std::vector<std::size_t> order(tracks.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return StrCmpLogicalW(texts[a].c_str(), texts[b].c_str()) < 0;
    });
    sonavel::metadb_handle_list sorted;
    sorted.reserve(tracks.size());
    for (std::size_t i : order) sorted.push_back(tracks[i]);
    tracks.swap(sorted);
}

}  // namespace quennet
