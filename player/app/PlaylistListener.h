#pragma once
// The playlist view's ear on the active playlist. The host's registry keeps it for its own life; the view
// attaches itself while it exists and detaches when it goes, so late events reach nobody. Main thread.
#include "sdk/playlist.h"

namespace player {

// What the view does with the events.
class PlaylistEvents {
public:
    // Items came, went, moved or were replaced, or another playlist became active: show it all again.
    virtual void playlist_changed() = 0;
    // Items came at `base`; `selection` says which of them are selected.
    virtual void items_added(std::size_t base, std::size_t count, const sonavel::bit_array& selection) = 0;
    virtual void selection_changed(const sonavel::bit_array& affected, const sonavel::bit_array& state) = 0;
    virtual void focus_changed(std::size_t from, std::size_t to) = 0;
    // The records of these items changed (tags written or rewritten).
    virtual void items_modified(const sonavel::bit_array& mask) = 0;

protected:
    ~PlaylistEvents() = default;
};

class PlaylistListener : public sonavel::playlist_callback_single_static {
public:
    using interface_t = sonavel::playlist_callback_single_static;

    void attach(PlaylistEvents* target) noexcept { target_ = target; }

    unsigned get_flags() override;
    void on_items_added(std::size_t base, const sonavel::metadb_handle_list& tracks, const sonavel::bit_array& selection) override;
    void on_items_reordered(const std::size_t*, std::size_t) override { changed(); }
    void on_items_removed(const sonavel::bit_array&, std::size_t, std::size_t) override { changed(); }
    void on_items_replaced(const sonavel::bit_array&) override { changed(); }
    void on_playlist_switch() override { changed(); }
    void on_items_selection_change(const sonavel::bit_array& affected, const sonavel::bit_array& state) override;
    void on_item_focus_change(std::size_t from, std::size_t to) override;
    void on_items_modified(const sonavel::bit_array& mask) override;

private:
    void changed();

    PlaylistEvents* target_ = nullptr;
};

}  // namespace player
