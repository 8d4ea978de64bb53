#include "player/engine/titleformat/logical_sort.h"

#include <algorithm>
#include <numeric>

#include "player/engine/titleformat/logical_compare.h"
#include "sdk/errors.h"
#include "sdk/utf8.h"

#ifdef _WIN32
#include <windows.h>
#include <shlwapi.h>
#endif

namespace player {

namespace {

// Each text is converted once rather than at every comparison.
#ifdef _WIN32
using Key = std::wstring;
Key key_of(const std::string& text) { return sonavel::utf8_to_wide(text); }
bool less(const Key& a, const Key& b) { return StrCmpLogicalW(a.c_str(), b.c_str()) < 0; }
#else
using Key = std::string_view;
Key key_of(const std::string& text) { return text; }
bool less(const Key& a, const Key& b) { return natural_compare(a, b) < 0; }
#endif

template <typename T>
void permute(std::vector<T>& items, const std::vector<std::size_t>& order) {
    std::vector<T> sorted;
    sorted.reserve(items.size());
    for (std::size_t index : order) sorted.push_back(std::move(items[index]));
    items.swap(sorted);
}

}  // namespace

void sort_logically(sonavel::metadb_handle_list& tracks, std::vector<std::string>& texts) {
    sonavel::dynamic_assert(tracks.size() == texts.size());
    std::vector<Key> keys;
    keys.reserve(texts.size());
    for (const std::string& text : texts) keys.push_back(key_of(text));
    std::vector<std::size_t> order(tracks.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return less(keys[a], keys[b]); });
    permute(tracks, order);
    permute(texts, order);
}

}  // namespace player
