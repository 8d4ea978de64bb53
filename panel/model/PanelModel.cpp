#include "panel/model/PanelModel.h"

#include <utility>

#include "panel/model/CheckStates.h"
#include "panel/model/FillEvent.h"
#include "panel/model/PendingStatus.h"
#include "panel/model/TagUpdate.h"

namespace quennet {

PanelModel::PanelModel(HINSTANCE module, const ValueListControls& controls, Options& current,
                       std::vector<Options>& presets, PanelView* view)
    : current_(current), presets_(presets), controls_(controls), view_(view), values_(*this, module, controls) {}

PanelModel::~PanelModel() = default;

void PanelModel::update_controls() {
    // Without selected tracks there is nothing to edit; typing during a fill or a write would be
    // overwritten by the rebuild that follows it.
    const bool working = filler_.running() || busy_;
    const BOOL enable = (!working && active_playlist_has_selection()) ? TRUE : FALSE;
    // Disabling the edit the user types in takes the keyboard focus from it; after a fill or a write that
    // nobody else took the focus during, it goes back, so that typing goes on where it was.
    const HWND focus = GetFocus();
    if (!enable && working && (focus == controls_.filter_edit || focus == controls_.add_edit)) focus_taken_ = focus;
    for (HWND edit : {controls_.filter_edit, controls_.add_edit}) {
        if (!edit) continue;
        if (!IsWindowVisible(edit)) {
            EnableWindow(edit, enable);
            continue;
        }
        // Wine and older common controls flash the edit's frame otherwise.
        SendMessageW(edit, WM_SETREDRAW, FALSE, 0);
        EnableWindow(edit, enable);
        SendMessageW(edit, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(edit, nullptr, FALSE);
    }
    if (enable || !working) {
        const HWND taken = std::exchange(focus_taken_, nullptr);
        if (enable && taken && !GetFocus() && IsWindowVisible(taken)) SetFocus(taken);
    }
}

void PanelModel::pending_changed() {
    if (view_) view_->pending_changed();
    show_pending_status();
}

void PanelModel::request_fill(unsigned event) {
    if (!filler_.running()) ++fills_started_;
    filler_.request_fill(event);
}

void PanelModel::commit_all_pending(unsigned event) { commit_pending(event, nullptr, std::string()); }

bool PanelModel::choose_preset(const std::string& name) {
    const int found = find_preset(presets_, name);
    if (found < 0) return false;
    if (has_pending_edits()) {
        commit_if_pending(this, name);
        return true;
    }
    values_.reset_filter_text();
    current_ = presets_[std::size_t(found)];
    request_fill(preset_selected);
    if (view_) view_->preset_changed();
    return true;
}

void PanelModel::commit_if_pending(PanelModel* initiating, const std::string& preset_name) {
    if (values_.update_running() || !shown_ || busy_ || !has_pending_edits()) return;
    commit_pending(tags_updated, initiating, preset_name);
}

}  // namespace quennet
