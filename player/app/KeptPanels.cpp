#include "player/app/KeptPanels.h"

#include <algorithm>

namespace player {

void KeptPanels::keep(std::size_t position, PanelPlacement placement, std::string why) {
    auto at = std::upper_bound(kept_.begin(), kept_.end(), position,
                               [](std::size_t p, const Kept& k) { return p < k.position; });
    kept_.insert(at, Kept{position, std::move(placement), std::move(why)});
}

std::vector<KeptPanels::Place> KeptPanels::places(std::size_t docked) const {
    std::vector<Place> out;
    out.reserve(docked + kept_.size());
    std::size_t kept = 0;
    for (std::size_t panel = 0; panel < docked; ++panel) {
        for (; kept < kept_.size() && kept_[kept].position <= out.size(); ++kept) out.push_back({true, kept});
        out.push_back({false, panel});
    }
    for (; kept < kept_.size(); ++kept) out.push_back({true, kept});
    return out;
}

std::vector<PanelPlacement> KeptPanels::merged(const std::vector<PanelPlacement>& docked) const {
    std::vector<PanelPlacement> out;
    for (const Place& place : places(docked.size()))
        out.push_back(place.kept ? kept_[place.index].placement : docked[place.index]);
    return out;
}

std::vector<PanelView> KeptPanels::take_views(const std::vector<PanelView>& stored, std::size_t docked) {
    std::vector<PanelView> out(docked);
    const std::vector<Place> order = places(docked);
    for (std::size_t position = 0; position < order.size() && position < stored.size(); ++position) {
        const Place& place = order[position];
        (place.kept ? kept_[place.index].view : out[place.index]) = stored[position];
    }
    return out;
}

std::vector<PanelView> KeptPanels::merged_views(const std::vector<PanelView>& docked) const {
    std::vector<PanelView> out;
    for (const Place& place : places(docked.size()))
        out.push_back(place.kept ? kept_[place.index].view : docked[place.index]);
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
