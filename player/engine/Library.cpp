#include "player/engine/Library.h"

#include <algorithm>

namespace player {

sonavel::metadb_handle_list Library::get_all_items() { return items_; }

bool Library::is_item_in_library(const sonavel::metadb_handle_ptr& track) {
    return track.is_valid() && contains(TrackStore::track_of(track));
}

bool Library::contains(const Track& track) const noexcept {
    return track.index() < member_.size() && member_[track.index()];
}

void Library::register_callback(sonavel::library_callback_dynamic* callback) {
    if (std::find(callbacks_.begin(), callbacks_.end(), callback) == callbacks_.end()) callbacks_.push_back(callback);
}

void Library::unregister_callback(sonavel::library_callback_dynamic* callback) {
    callbacks_.erase(std::remove(callbacks_.begin(), callbacks_.end(), callback), callbacks_.end());
}

template <typename Call>
void Library::notify(const Call& call) {
    // A listener may unregister itself or others while being told.
    auto listeners = callbacks_;
    for (auto* listener : listeners) {
        if (std::find(callbacks_.begin(), callbacks_.end(), listener) != callbacks_.end()) call(*listener);
    }
}

void Library::add_items(const sonavel::metadb_handle_list& tracks) {
    sonavel::metadb_handle_list added;
    for (const auto& handle : tracks) {
        Track& track = TrackStore::track_of(handle);
        if (contains(track)) continue;
        if (track.index() >= member_.size()) member_.resize(track.index() + 1);
        member_[track.index()] = true;
        items_.push_back(handle);
        added.push_back(handle);
    }
    if (!added.empty()) notify([&](sonavel::library_callback_dynamic& l) { l.on_items_added(added); });
}

void Library::remove_items(const sonavel::metadb_handle_list& tracks) {
    sonavel::metadb_handle_list removed;
    for (const auto& handle : tracks) {
        Track& track = TrackStore::track_of(handle);
        if (!contains(track)) continue;
        member_[track.index()] = false;
        removed.push_back(handle);
    }
    if (removed.empty()) return;
    items_.erase(std::remove_if(items_.begin(), items_.end(),
                                [&](const sonavel::metadb_handle_ptr& h) { return !contains(TrackStore::track_of(h)); }),
                 items_.end());
    notify([&](sonavel::library_callback_dynamic& l) { l.on_items_removed(removed); });
}

void Library::notify_modified(const sonavel::metadb_handle_list& tracks) {
    sonavel::metadb_handle_list modified;
    for (const auto& handle : tracks) {
        if (contains(TrackStore::track_of(handle))) modified.push_back(handle);
    }
    if (!modified.empty()) notify([&](sonavel::library_callback_dynamic& l) { l.on_items_modified(modified); });
}

}  // namespace player
