#include "player/engine/PlaylistManager.h"

#include <algorithm>

#include "player/engine/TrackStore.h"
#include "sdk/core_api.h"
#include "sdk/utf8.h"

namespace player {

using sonavel::playlist_callback_single;

PlaylistManager::playlist& PlaylistManager::at(std::size_t index) {
    if (index >= playlists_.size()) throw sonavel::exception_bug_check();
    return *playlists_[index];
}

std::size_t PlaylistManager::index_of(const playlist* p) const noexcept {
    for (std::size_t i = 0; i < playlists_.size(); ++i) {
        if (playlists_[i].get() == p) return i;
    }
    return sonavel::no_item;
}

template <typename Call>
void PlaylistManager::notify(std::size_t playlist, unsigned flag, const Call& call) {
    if (playlist != active_ || playlist == sonavel::no_item) return;
    notify_all(flag, call);
}

template <typename Call>
void PlaylistManager::notify_all(unsigned flag, const Call& call) {
    for (auto& listener : sonavel::service_list_t<sonavel::playlist_callback_single_static>()) {
        if (listener->get_flags() & flag) call(static_cast<playlist_callback_single&>(*listener));
    }
}

void PlaylistManager::switched() {
    // Also when no playlist is active any more: listeners showing the old one's items must let them go.
    notify_all(playlist_callback_single::flag_on_playlist_switch, [](playlist_callback_single& l) { l.on_playlist_switch(); });
}

std::string PlaylistManager::get_playlist_name(std::size_t playlist) { return at(playlist).name; }

void PlaylistManager::set_active_playlist(std::size_t playlist) {
    if (playlist != sonavel::no_item) at(playlist);
    if (playlist == active_) return;
    active_ = playlist;
    switched();
    lists_changed();
}

std::size_t PlaylistManager::find_playlist(const char* name) {
    for (std::size_t i = 0; i < playlists_.size(); ++i) {
        if (sonavel::stricmp_utf8(playlists_[i]->name.c_str(), name) == 0) return i;
    }
    return sonavel::no_item;
}

std::size_t PlaylistManager::create_playlist(const char* name, std::size_t index) {
    if (index > playlists_.size()) index = playlists_.size();
    playlists_.insert(playlists_.begin() + std::ptrdiff_t(index),
                      std::make_unique<playlist>(playlist{name, {}, {}, sonavel::no_item}));
    if (active_ != sonavel::no_item && active_ >= index) ++active_;
    lists_changed();
    return index;
}

void PlaylistManager::remove_playlist(std::size_t index) {
    at(index);
    bool was_active = index == active_;
    playlists_.erase(playlists_.begin() + std::ptrdiff_t(index));
    if (was_active) {
        // Another playlist takes over, as when the user closes the active tab.
        active_ = sonavel::no_item;
        if (!playlists_.empty()) set_active_playlist(std::min(index, playlists_.size() - 1));
        else switched();
    } else if (active_ != sonavel::no_item && active_ > index) {
        --active_;
    }
    lists_changed();
}

void PlaylistManager::rename_playlist(std::size_t playlist, const std::string& name) {
    at(playlist).name = name;
    lists_changed();
}

std::size_t PlaylistManager::get_item_count(std::size_t playlist) { return at(playlist).items.size(); }

sonavel::metadb_handle_ptr PlaylistManager::get_item_handle(std::size_t playlist, std::size_t item) {
    auto& p = at(playlist);
    return item < p.items.size() ? p.items[item] : sonavel::metadb_handle_ptr();
}

void PlaylistManager::enum_items(std::size_t playlist, const sonavel::bit_array& mask, const item_receiver& receiver) {
    auto& p = at(playlist);
    for (std::size_t i = 0; i < p.items.size(); ++i) {
        if (mask.get(i) && !receiver(i, p.items[i], p.selected[i])) break;
    }
}

bool PlaylistManager::is_item_selected(std::size_t playlist, std::size_t item) {
    auto& p = at(playlist);
    return item < p.selected.size() && p.selected[item];
}

std::size_t PlaylistManager::get_focus_item(std::size_t playlist) { return at(playlist).focus; }

void PlaylistManager::set_focus_item(std::size_t playlist, std::size_t item) {
    auto& p = at(playlist);
    if (item != sonavel::no_item && item >= p.items.size()) return;
    std::size_t from = p.focus;
    if (from == item) return;
    p.focus = item;
    notify(playlist, playlist_callback_single::flag_on_item_focus_change,
           [&](playlist_callback_single& l) { l.on_item_focus_change(from, item); });
}

namespace {

// The selection of a playlist as listeners read it, without a copy.
class selection_view final : public sonavel::bit_array {
public:
    explicit selection_view(const std::vector<bool>& bits) : bits_(bits) {}
    bool get(std::size_t n) const override { return n < bits_.size() && bits_[n]; }

private:
    const std::vector<bool>& bits_;
};

}  // namespace

void PlaylistManager::set_selection(std::size_t playlist, const sonavel::bit_array& affected, const sonavel::bit_array& state) {
    auto& p = at(playlist);
    // One item (a click, or the view telling of each row in turn): no walk over the playlist.
    if (const auto* one = dynamic_cast<const sonavel::bit_array_one*>(&affected)) {
        std::size_t item = one->index();
        if (item >= p.items.size() || p.selected[item] == state.get(item)) return;
        p.selected[item] = state.get(item);
        selection_view now(p.selected);
        notify(playlist, playlist_callback_single::flag_on_items_selection_change,
               [&](playlist_callback_single& l) { l.on_items_selection_change(*one, now); });
        return;
    }
    std::vector<bool> changed(p.items.size());
    bool any = false;
    for (std::size_t i = 0; i < p.items.size(); ++i) {
        if (!affected.get(i)) continue;
        bool value = state.get(i);
        if (p.selected[i] == value) continue;
        p.selected[i] = value;
        changed[i] = true;
        any = true;
    }
    if (any) {
        sonavel::bit_array_bittable changed_bits(std::move(changed));
        selection_view now(p.selected);
        notify(playlist, playlist_callback_single::flag_on_items_selection_change,
               [&](playlist_callback_single& l) { l.on_items_selection_change(changed_bits, now); });
    }
}

std::size_t PlaylistManager::insert_items(std::size_t playlist, std::size_t base, const sonavel::metadb_handle_list& tracks,
                                          const sonavel::bit_array& selection) {
    auto& p = at(playlist);
    if (base > p.items.size()) base = p.items.size();
    std::vector<bool> selected(tracks.size());
    for (std::size_t i = 0; i < tracks.size(); ++i) selected[i] = selection.get(i);
    p.items.insert(p.items.begin() + std::ptrdiff_t(base), tracks.begin(), tracks.end());
    p.selected.insert(p.selected.begin() + std::ptrdiff_t(base), selected.begin(), selected.end());
    if (p.focus != sonavel::no_item && p.focus >= base) p.focus += tracks.size();
    if (!tracks.empty()) {
        sonavel::bit_array_bittable sel(std::move(selected));
        notify(playlist, playlist_callback_single::flag_on_items_added,
               [&](playlist_callback_single& l) { l.on_items_added(base, tracks, sel); });
    }
    return base;
}

void PlaylistManager::remove_items(std::size_t playlist, const sonavel::bit_array& mask) {
    auto& p = at(playlist);
    std::size_t old_count = p.items.size();
    sonavel::bit_array_bittable removed(old_count);
    std::size_t count = 0;
    for (std::size_t i = 0; i < old_count; ++i) {
        if (mask.get(i)) {
            removed.set(i, true);
            ++count;
        }
    }
    if (count == 0) return;
    std::size_t new_count = old_count - count;
    notify(playlist, playlist_callback_single::flag_on_items_removing,
           [&](playlist_callback_single& l) { l.on_items_removing(removed, old_count, new_count); });
    // Listeners may have created or removed playlists meanwhile: find this one again.
    playlist = index_of(&p);
    if (playlist == sonavel::no_item) return;
    // A listener that changed these very items made the mask wrong; removing by it would hit others.
    if (p.items.size() != old_count) throw sonavel::exception_bug_check();
    std::size_t old_focus = p.focus, new_focus = sonavel::no_item, kept = 0;
    sonavel::metadb_handle_list items;
    std::vector<bool> selected;
    for (std::size_t i = 0; i < old_count; ++i) {
        if (removed.get(i)) continue;
        if (i == old_focus) new_focus = kept;
        items.push_back(p.items[i]);
        selected.push_back(p.selected[i]);
        ++kept;
    }
    p.items.swap(items);
    p.selected.swap(selected);
    p.focus = new_focus;
    notify(playlist, playlist_callback_single::flag_on_items_removed,
           [&](playlist_callback_single& l) { l.on_items_removed(removed, old_count, new_count); });
    if (old_focus != new_focus) {
        notify(playlist, playlist_callback_single::flag_on_item_focus_change,
               [&](playlist_callback_single& l) { l.on_item_focus_change(old_focus, new_focus); });
    }
}

void PlaylistManager::replace_item(std::size_t playlist, std::size_t item, const sonavel::metadb_handle_ptr& track) {
    auto& p = at(playlist);
    if (item >= p.items.size()) return;
    p.items[item] = track;
    notify(playlist, playlist_callback_single::flag_on_items_replaced,
           [&](playlist_callback_single& l) { l.on_items_replaced(sonavel::bit_array_one(item)); });
}

void PlaylistManager::reorder_items(std::size_t playlist, const std::vector<std::size_t>& order) {
    auto& p = at(playlist);
    const std::size_t count = p.items.size();
    if (order.size() != count) throw sonavel::exception_bug_check();
    std::vector<bool> seen(count);
    for (std::size_t from : order) {
        if (from >= count || seen[from]) throw sonavel::exception_bug_check();
        seen[from] = true;
    }
    sonavel::metadb_handle_list items;
    std::vector<bool> selected(count);
    std::size_t focus = sonavel::no_item;
    items.reserve(count);
    for (std::size_t at = 0; at < count; ++at) {
        items.push_back(p.items[order[at]]);
        selected[at] = p.selected[order[at]];
        if (order[at] == p.focus) focus = at;
    }
    p.items.swap(items);
    p.selected.swap(selected);
    p.focus = focus;
    notify(playlist, playlist_callback_single::flag_on_items_reordered,
           [&](playlist_callback_single& l) { l.on_items_reordered(order.data(), count); });
}

void PlaylistManager::notify_items_modified(const sonavel::metadb_handle_list& tracks) {
    if (active_ == sonavel::no_item) return;
    auto sorted = tracks;
    sonavel::sort_by_pointer(sorted);
    auto& p = *playlists_[active_];
    sonavel::bit_array_bittable modified(p.items.size());
    bool any = false;
    for (std::size_t i = 0; i < p.items.size(); ++i) {
        if (sonavel::contains_sorted(sorted, p.items[i])) {
            modified.set(i, true);
            any = true;
        }
    }
    if (any) {
        notify(active_, playlist_callback_single::flag_on_items_modified,
               [&](playlist_callback_single& l) { l.on_items_modified(modified); });
    }
}

}  // namespace player
