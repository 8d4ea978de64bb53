#pragma once
// Panel filling: on an event, take the player's view anew (library, selection, focus), run the steps the
// event selects, store the grown value list into the preset of the same name and rebuild the list.
// Main thread only.
#include <cstdint>
#include <string>

#include "panel/model/FillEvent.h"
#include "panel/model/FillTarget.h"
#include "sdk/metadb.h"

namespace quennet {

class PanelFiller {
public:
    explicit PanelFiller(FillTarget& panel) : panel_(panel) {}
    PanelFiller(const PanelFiller&) = delete;
    PanelFiller& operator=(const PanelFiller&) = delete;

    // The one entry point: refused with a console line while a fill runs.
    void request_fill(unsigned event);

    bool running() const noexcept { return running_; }
    std::uint32_t flags() const noexcept { return flags_; }
    // The library as the last fill that scanned it took it.
    const sonavel::metadb_handle_list& library_tracks() const noexcept { return library_tracks_; }
    const sonavel::metadb_handle_list& selected_tracks() const noexcept { return selected_tracks_; }
    const sonavel::metadb_handle_ptr& focused_track() const noexcept { return focused_track_; }

    // "Panel fill time for metadata field <F>: " + seconds with six decimals.
    static std::string timing_text(const std::string& field, double seconds);

private:
    void fill(unsigned event);
    void take_player_view();
    void count_values();

    FillTarget& panel_;
    std::uint32_t flags_ = 0;
    std::int64_t start_time_ = 0;
    bool running_ = false;
    sonavel::metadb_handle_list library_tracks_;
    sonavel::metadb_handle_list selected_tracks_;
    sonavel::metadb_handle_ptr focused_track_;
};

}  // namespace quennet
