#pragma once
// Stored panels that could not be docked again (their type is not registered, or the panel refused its
// stored configuration): kept with their place in the layout and their bytes as stored, so that the next
// save writes them back unchanged and a start without them loses nothing.
#include <cstddef>
#include <string>
#include <vector>

#include "player/app/LayoutFile.h"

namespace player {

class KeptPanels {
public:
    // `position`: the panel's index in the stored layout; `why`: which panel and the reason, for the user.
    void keep(std::size_t position, PanelPlacement placement, std::string why);

    bool empty() const noexcept { return kept_.empty(); }
    // The docked panels' placements with the kept ones back at their stored positions (after the docked
    // ones when fewer panels are docked now).
    std::vector<PanelPlacement> merged(const std::vector<PanelPlacement>& docked) const;
    // One message for all kept panels: which ones, why, and that nothing of them is lost.
    std::string report() const;

private:
    struct Kept {
        std::size_t position;
        PanelPlacement placement;
        std::string why;
    };
    std::vector<Kept> kept_;  // by rising position
};

}  // namespace player
