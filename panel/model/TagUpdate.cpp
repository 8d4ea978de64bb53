#include "panel/model/TagUpdate.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "host/Settings.h"
#include "integration/ReactionSwitch.h"
#include "panel/model/CheckStates.h"
#include "panel/model/FillEvent.h"
#include "panel/model/PanelModel.h"
#include "panel/model/UpdateCompletor.h"
#include "panel/model/ValueGathering.h"
#include "sdk/core_api.h"
#include "sdk/utf8.h"
#include "sdk/win/uwin.h"

namespace quennet {
namespace {

// A panel the completion refers to may have been destroyed while the host wrote.
PanelModel* live_model(PanelModel* panel) { return is_live(panel) ? panel : nullptr; }

}  // namespace

bool confirm_update(std::size_t files) {
    if (!update_needs_warning(cfg_update_warning_threshold().get(), files)) return true;
    char text[80];
    std::snprintf(text, sizeof text, "You will update %d files. Continue?", int(files));
    return sonavel::uMessageBox(sonavel::core()->get_main_window(), text, "Update tags", MB_YESNO) != IDNO;
}

bool update_needs_warning(std::uint64_t threshold, std::size_t files) noexcept {
    return threshold != 0 && std::uint64_t(files) > threshold;
}

void collect_changes(PanelModel& panel, EditMap& add, EditMap& remove) {
    ValueList& values = panel.values();
    if (values.pending_tracks().empty() || panel.busy()) return;
    panel.set_busy(true);

    std::vector<std::string> to_add;
    std::vector<std::string> to_remove;
    // Typed as the playlist shows values ("Rock; Pop"): each piece trimmed; empty pieces ("Blues;", " ; ")
    // name no value, so no file gets an empty or blank one.
    std::vector<std::string> typed = values.typed_values();
    if (!typed.empty()) {
        Options& options = panel.current_options();
        bool added = false;
        for (const std::string& value : typed) added = options.add_value(value) || added;
        if (added && options.sort_list) options.sort_tags();
        update_preset(panel.preset_list(), options);
        to_add = std::move(typed);
    }
    for (const ValueEdit& edit : values.edits()) {
        if (edit.state == in_all_tracks) to_add.push_back(edit.value);
        if (edit.state == in_no_track) to_remove.push_back(edit.value);
    }
    const std::string& field = panel.current_options().metadata_field;
    // Each edit is for the tracks its own panel had selected when the edit began.
    if (!to_add.empty()) add[field] = FieldEdit{std::move(to_add), &values.pending_tracks()};
    if (!to_remove.empty()) remove[field] = FieldEdit{std::move(to_remove), &values.pending_tracks()};
}

void commit_pending(unsigned event, PanelModel* initiating, const std::string& preset_name) {
    std::vector<PanelModel*> collected;
    for (LivePanel* live : live_panels()) {
        auto* panel = dynamic_cast<PanelModel*>(live);
        if (panel && panel->has_pending_edits()) collected.push_back(panel);
    }
    if (collected.empty()) return;

    EditMap add;
    EditMap remove;
    for (PanelModel* panel : collected) {
        collect_changes(*panel, add, remove);
        if (panel == initiating) panel->set_busy(false);
    }

    std::vector<const sonavel::metadb_handle_list*> track_lists;
    for (PanelModel* panel : collected) track_lists.push_back(&panel->values().pending_tracks());
    WriteList writes = compose_new_records(track_lists, add, remove);
    const std::size_t files = writes.tracks.size();

    if (files == 0 || !confirm_update(files)) {
        refill_after_update(collected, tags_updated, nullptr, std::string());
        return;
    }

    set_tag_update_reaction(false);
    try {
        sonavel::metadb_handle_list tracks = writes.tracks;
        auto filter = sonavel::service_impl_t<NewRecordFilter>::create(std::move(writes), "Apply in Varnel Panel");
        auto completor = sonavel::service_impl_t<UpdateCompletor>::create(collected, event, initiating, preset_name);
        sonavel::standard_api_create_t<sonavel::metadb_io_service>()->update_info_async(
            tracks, filter, sonavel::core()->get_main_window(), 6, completor);
    } catch (...) {
        // Without a write no completion comes to unfreeze the panels.
        refill_after_update(collected, tags_updated, nullptr, std::string());
        set_tag_update_reaction(true);
        throw;
    }
}

void refill_after_update(const std::vector<PanelModel*>& panels, unsigned event, PanelModel* initiating,
                         const std::string& preset_name) {
    initiating = live_model(initiating);
    for (PanelModel* listed : panels) {
        PanelModel* panel = live_model(listed);
        if (!panel) continue;
        panel->set_busy(false);
        if (panel != initiating) panel->request_fill(event);
    }
    // The initiating panel is not refilled: a hidden one keeps its rows until it is shown again, but its
    // edits are written, and a later commit must not collect them again for another selection.
    if (initiating && initiating->has_pending_edits() && preset_name.empty()) initiating->values().set_pending(false);

    if (!tag_update_reaction_on()) {
        for (LivePanel* live : std::vector<LivePanel*>(live_panels())) {
            auto* p = dynamic_cast<PanelModel*>(live);
            if (!p || !is_live(p) || !p->shown() || p == initiating) continue;
            const std::string& p_filters = p->current_options().filter_fields;
            const std::vector<std::string> filter_fields = split_fields(p_filters);
            for (PanelModel* listed : panels) {
                PanelModel* q = live_model(listed);
                if (!q || q == p) continue;
                const std::string& q_field = q->current_options().metadata_field;
                const bool found =
                    !p_filters.empty() && std::any_of(filter_fields.begin(), filter_fields.end(), [&](const std::string& f) {
                        return sonavel::stricmp_utf8(q_field.c_str(), f.c_str()) == 0;
                    });
                if (sonavel::stricmp_utf8(p->current_options().metadata_field.c_str(), q_field.c_str()) == 0) {
                    p->request_fill(found ? refresh : event);
                    break;
                }
                if (found) {
                    p->request_fill(refresh);
                    break;
                }
            }
        }
    }

    if (initiating && initiating->shown() && !preset_name.empty()) {
        initiating->values().set_pending(false);
        initiating->update_controls();
        initiating->choose_preset(preset_name);
    }
    set_tag_update_reaction(true);
}

}  // namespace quennet
