#pragma once
// The media library: an ordered set of tracks, and the listeners that hear of its changes. Changes and
// notifications happen on the main thread.
#include <vector>

#include "player/engine/TrackStore.h"
#include "sdk/library.h"

namespace player {

class Library : public sonavel::library_service {
public:
    using interface_t = sonavel::library_service;

    sonavel::metadb_handle_list get_all_items() override;
    bool is_item_in_library(const sonavel::metadb_handle_ptr& track) override;
    void register_callback(sonavel::library_callback_dynamic* callback) override;
    void unregister_callback(sonavel::library_callback_dynamic* callback) override;

    // Adds the tracks not yet in the library, in order; listeners hear of those.
    void add_items(const sonavel::metadb_handle_list& tracks);
    void remove_items(const sonavel::metadb_handle_list& tracks);
    // Tells listeners that records of library tracks changed (tracks outside the library are left out).
    void notify_modified(const sonavel::metadb_handle_list& tracks);
    std::size_t size() const noexcept { return items_.size(); }

private:
    bool contains(const Track& track) const noexcept;
    template <typename Call>
    void notify(const Call& call);

    sonavel::metadb_handle_list items_;
    std::vector<bool> member_;  // by track index
    std::vector<sonavel::library_callback_dynamic*> callbacks_;
};

}  // namespace player
