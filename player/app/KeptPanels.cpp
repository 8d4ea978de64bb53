#include "player/app/KeptPanels.h"

#include <algorithm>

namespace player {

void KeptPanels::keep(std::size_t position, PanelPlacement placement, std::string why) {
    auto at = std::upper_bound(kept_.begin(), kept_.end(), position,
                               [](std::size_t p, const Kept& k) { return p < k.position; });
    kept_.insert(at, Kept{position, std::move(placement), std::move(why)});
}

std::vector<PanelPlacement> KeptPanels::merged(const std::vector<PanelPlacement>& docked) const {
    std::vector<PanelPlacement> out;
    out.reserve(docked.size() + kept_.size());
    auto kept = kept_.begin();
    for (const auto& panel : docked) {
        for (; kept != kept_.end() && kept->position <= out.size(); ++kept) out.push_back(kept->placement);
        out.push_back(panel);
    }
    for (; kept != kept_.end(); ++kept) out.push_back(kept->placement);
    return out;
}

std::string KeptPanels::report() const {
    std::string text = kept_.size() == 1 ? "A docked panel could not be restored:\n"
                                         : std::to_string(kept_.size()) + " docked panels could not be restored:\n";
    for (const auto& kept : kept_) text += "\n" + kept.why;
    text += kept_.size() == 1 ? "\n\nIts stored configuration is kept and saved again unchanged."
                              : "\n\nTheir stored configurations are kept and saved again unchanged.";
    return text;
}

}  // namespace player
