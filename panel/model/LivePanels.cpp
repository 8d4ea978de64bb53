#include "panel/model/LivePanels.h"

#include <algorithm>

namespace quennet {

std::vector<LivePanel*>& live_panels() {
    // Built on first use: panels may be created during another unit's static initialisation.
    static std::vector<LivePanel*> panels;
    return panels;
}

LivePanelMembership::LivePanelMembership(LivePanel& panel) : panel_(panel) { live_panels().push_back(&panel_); }

LivePanelMembership::~LivePanelMembership() {
    auto& panels = live_panels();
    panels.erase(std::remove(panels.begin(), panels.end(), &panel_), panels.end());
}

bool is_live(const LivePanel* panel) {
    const auto& panels = live_panels();
    return panel && std::find(panels.begin(), panels.end(), panel) != panels.end();
}

}  // namespace quennet
