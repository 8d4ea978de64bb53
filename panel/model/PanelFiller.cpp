#include "panel/model/PanelFiller.h"

#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "host/Settings.h"
#include "panel/model/HighResolutionCounter.h"
#include "panel/model/LibraryScan.h"
#include "panel/model/ValueGathering.h"
#include "sdk/core_api.h"
#include "sdk/library.h"
#include "sdk/playlist.h"
#include "ui/LogLine.h"

namespace quennet {

void PanelFiller::request_fill(unsigned event) {
    if (running_) {
        log_line("Panel filling is already running for event " + std::to_string(event));
        return;
    }
    fill(event);
}

std::string PanelFiller::timing_text(const std::string& field, double seconds) {
    auto micros = static_cast<unsigned long long>(std::floor(seconds * 1000000.0 + 0.5));
    char number[48];
    std::snprintf(number, sizeof number, "%llu.%06llu", micros / 1000000, micros % 1000000);
    return "Panel fill time for metadata field <" + field + ">: " + number;
}

void PanelFiller::take_player_view() {
    // Only the library steps read the library, and copying a large library's track list is most of
    // the cost of a fill that does not scan it.
    const Options& options = panel_.current_options();
    bool filters = (flags_ & fill_focused_filter) && options.filter_on_focused_tags && !options.filter_fields.empty();
    bool scans = (flags_ & fill_scan_library) && (options.scan_library || (flags_ & fill_force));
    if (filters || scans) {
        library_tracks_ = sonavel::standard_api_create_t<sonavel::library_service>()->get_all_items();
    }
    selected_tracks_.clear();
    focused_track_.release();
    auto playlists = sonavel::standard_api_create_t<sonavel::playlist_service>();
    std::size_t active = playlists->get_active_playlist();
    if (active == sonavel::no_item) return;
    selected_tracks_ = playlists->get_selected_items(active);
    std::size_t focus = playlists->get_focus_item(active);
    if (focus != sonavel::no_item) focused_track_ = playlists->get_item_handle(active, focus);
}

void PanelFiller::count_values() {
    Options& options = panel_.current_options();
    options.value_counts.clear();
    sonavel::metadb_read_lock lock;
    // Counts by the address of the host's text first (the same value of many tracks is one text in the
    // host), and by the text itself once per address.
    std::unordered_map<const char*, std::uint32_t*> counters;
    for (const auto& track : selected_tracks_) {
        const sonavel::file_info* info = track->get_info_locked();
        if (!info) continue;
        std::size_t field = info->meta_find(options.metadata_field);
        if (field == sonavel::file_info::npos) continue;
        for (std::size_t v = 0, n = info->meta_enum_value_count(field); v < n; ++v) {
            const char* value = info->meta_enum_value(field, v);
            if (*value == '\0') continue;
            std::uint32_t*& counter = counters[value];
            if (!counter) {
                auto [it, first] = options.value_counts.try_emplace(value, 0);
                if (first) options.add_value(value);
                counter = &it->second;
            }
            ++*counter;
        }
    }
}

void PanelFiller::fill(unsigned event) {
    start_time_ = read_performance_counter();
    flags_ = fill_flags_of(event);
    running_ = true;
    // Whatever fails below, the filler must not stay running.
    struct running_guard {
        bool& running;
        ~running_guard() { running = false; }
    } guard{running_};

    Options& options = panel_.current_options();
    panel_.update_controls();
    take_player_view();

    if (flags_ & fill_focused_filter) {
        if (focused_tags_filter_step(options, library_tracks_, focused_track_)) flags_ &= ~std::uint32_t(fill_scan_library);
    }
    if ((flags_ & fill_scan_library) && (options.scan_library || (flags_ & fill_force))) {
        library_scan_step(options, library_tracks_, (flags_ & fill_force) != 0);
    }
    if (flags_ & fill_selection_values) gather_values(options, selected_tracks_, {options.metadata_field});
    if (flags_ & fill_count_values) count_values();
    if ((flags_ & fill_sort) && (options.sort_list || (flags_ & fill_force))) options.sort_tags();

    update_preset(panel_.preset_list(), options);
    panel_.rebuild_now();
    running_ = false;
    panel_.update_controls();

    if (cfg_console_output()) {
        double seconds = double(read_performance_counter() - start_time_) / double(performance_frequency());
        log_line(timing_text(options.metadata_field, seconds));
    }
}

}  // namespace quennet
