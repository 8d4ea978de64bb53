#include "panel/model/PendingStatus.h"

#include "panel/model/LivePanels.h"
#include "panel/model/PanelModel.h"
#include "sdk/core_api.h"
#include "sdk/status_text.h"

namespace quennet {

std::string pending_status_text(std::size_t changes) {
    if (changes == 0) return {};
    return "Pending: " + std::to_string(changes) + (changes == 1 ? " change" : " changes") +
           " \xE2\x80\x94 Enter writes, Esc discards";
}

std::size_t pending_changes_of_live_panels() {
    std::size_t changes = 0;
    for (LivePanel* live : live_panels()) {
        if (auto* panel = dynamic_cast<PanelModel*>(live)) changes += panel->values().pending_changes();
    }
    return changes;
}

void show_pending_status() noexcept {
    try {
        auto status = sonavel::standard_api_try_create_t<sonavel::pending_changes_status>();
        if (status.is_valid()) status->show_pending(pending_status_text(pending_changes_of_live_panels()).c_str());
    } catch (...) {
    }
}

}  // namespace quennet
