#include "integration/TagWithSameValueProcessCallback.h"

#include <cstdint>
#include <exception>
#include <utility>
#include <vector>

#include "integration/ReactionSwitch.h"
#include "panel/model/FillEvent.h"
#include "panel/model/PanelModel.h"
#include "panel/model/UpdateCompletor.h"
#include "sdk/core_api.h"
#include "sdk/library.h"
#include "sdk/playlist.h"
#include "ui/LogLine.h"

namespace quennet {
namespace {

constexpr std::uint32_t update_op_flags = 6;

// Gives the panel back: not busy, its list rebuilt from the tracks as they are now.
void release_panel(PanelModel* panel) {
    if (!panel) return;
    panel->set_busy(false);
    panel->request_fill(tags_updated);
}

}  // namespace

TagWithSameValueProcessCallback::TagWithSameValueProcessCallback(PanelModel& panel)
    : panel_(&panel), live_entry_(&panel), panel_window_(panel.window()) {}

PanelModel* TagWithSameValueProcessCallback::live_panel() const {
    if (!is_live(live_entry_) || panel_->window() != panel_window_) return nullptr;
    return panel_;
}

void TagWithSameValueProcessCallback::on_init(HWND__*) {
    PanelModel* panel = live_panel();
    if (!panel) return;
    try {
        input_.library = sonavel::standard_api_create_t<sonavel::library_service>()->get_all_items();
        auto playlists = sonavel::standard_api_create_t<sonavel::playlist_service>();
        const std::size_t active = playlists->get_active_playlist();
        if (active != sonavel::no_item) input_.selected = playlists->get_selected_items(active);
        input_.pattern = panel->current_options().same_value_fields;
        input_.field = panel->current_options().metadata_field;
        ready_ = true;
    } catch (const std::exception& e) {
        // run then does nothing and on_done gives the panel back.
        log_line(std::string("Tag with same value from library could not start: ") + sonavel::message_of(e));
    }
}

void TagWithSameValueProcessCallback::run(sonavel::threaded_process_status& status, sonavel::abort_callback& abort) {
    if (!ready_) return;
    analysed_ = analyze_same_values(input_, SameValueServices::of_host(), status, abort, writes_);
}

void TagWithSameValueProcessCallback::on_done(HWND__*, bool was_aborted) {
    PanelModel* panel = live_panel();
    try {
        // A failed or cancelled analysis writes nothing of what it had collected.
        if (!was_aborted && analysed_ && !writes_.tracks.empty()) {
            write(panel);
            return;
        }
        release_panel(panel);
    } catch (const std::exception& e) {
        log_line(std::string("Tag with same value from library failed: ") + sonavel::message_of(e));
    } catch (...) {
        log_line("Tag with same value from library failed");
    }
}

void TagWithSameValueProcessCallback::write(PanelModel* panel) {
    // A panel that was closed while the analysis ran waits for no write: the others hear of it from the
    // host as of anyone else's.
    if (panel) set_tag_update_reaction(false);
    try {
        auto io = sonavel::standard_api_create_t<sonavel::metadb_io_service>();
        const sonavel::metadb_handle_list tracks = writes_.tracks;
        // The filter owns the records: the host may read them after this callback is released.
        auto filter = sonavel::service_impl_t<NewRecordFilter>::create(std::move(writes_),
                                                                    "Tag with same value from library");
        sonavel::service_ptr_t<sonavel::completion_notify> completor;
        if (panel)
            completor = sonavel::service_impl_t<UpdateCompletor>::create(std::vector<PanelModel*>{panel}, tags_updated,
                                                                         nullptr, std::string());
        io->update_info_async(tracks, filter, panel ? panel->window() : sonavel::core()->get_main_window(),
                              update_op_flags, completor);
    } catch (...) {
        // Without a write no completion comes to give the panel back.
        if (panel) {
            set_tag_update_reaction(true);
            release_panel(panel);
        }
        throw;
    }
}

}  // namespace quennet
