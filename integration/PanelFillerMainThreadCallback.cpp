#include "integration/PanelFillerMainThreadCallback.h"

#include <exception>
#include <string>

#include "host/ComponentClient.h"
#include "panel/model/FillEvent.h"
#include "panel/model/LivePanels.h"
#include "sdk/core_api.h"
#include "ui/LogLine.h"

namespace quennet {
namespace {
std::size_t live_selection_callbacks = 0;
}

bool host_ready() noexcept {
    sonavel::core_api* api = sonavel::core();
    return ComponentClient::instance().services_available() && api && !api->is_initializing() &&
           !api->is_shutting_down();
}

PanelFillerMainThreadCallback::PanelFillerMainThreadCallback(unsigned event) noexcept : event_(event) {
    if (event_ == playlist_changed) ++live_selection_callbacks;
}

PanelFillerMainThreadCallback::~PanelFillerMainThreadCallback() {
    if (event_ == playlist_changed) --live_selection_callbacks;
}

std::size_t PanelFillerMainThreadCallback::pending_selection_count() noexcept { return live_selection_callbacks; }

void PanelFillerMainThreadCallback::callback_run() {
    try {
        deliver();
    } catch (const std::exception& e) {
        log_line("Fill event " + std::to_string(event_) + " failed: " + e.what());
    } catch (...) {
        log_line("Fill event " + std::to_string(event_) + " failed");
    }
}

void PanelFillerMainThreadCallback::deliver() {
    if (!host_ready()) return;
    // A burst of selection changes fills once, by the last callback of the burst.
    if (event_ == playlist_changed && live_selection_callbacks >= 2) return;
    LivePanel* with_edits = nullptr;
    // A copy: a fill may create or destroy panels through host calls.
    const std::vector<LivePanel*> panels = live_panels();
    for (LivePanel* panel : panels) {
        if (!is_live(panel) || !panel->shown()) continue;
        if (panel->has_pending_edits()) {
            if (!with_edits) with_edits = panel;
            continue;
        }
        panel->request_fill(event_);
    }
    // Unapplied edits are written rather than lost to the refill; the write's completion refills.
    if (with_edits && is_live(with_edits)) with_edits->commit_all_pending(event_);
}

void post_fill_event(unsigned event) {
    auto callback = sonavel::service_impl_t<PanelFillerMainThreadCallback>::create(event);
    sonavel::standard_api_create_t<sonavel::main_thread_service>()->add_callback(callback);
}

}  // namespace quennet
