#pragma once
// Stored panels that could not be docked again (their type is not registered, or the panel refused its
// stored configuration): kept with their place in the layout, their bytes as stored and their height and
// visibility, so that the next save writes them back unchanged and a start without them loses nothing.
#include <cstddef>
#include <string>
#include <vector>

#include "player/app/LayoutFile.h"
#include "player/app/ViewLayout.h"

namespace player {

class KeptPanels {
public:
    // `position`: the panel's index in the stored layout; `why`: which panel and the reason, for the user.
    void keep(std::size_t position, PanelPlacement placement, std::string why);

    bool empty() const noexcept { return kept_.empty(); }
    // The docked panels' placements with the kept ones back at their stored positions (after the docked
    // ones when fewer panels are docked now).
    std::vector<PanelPlacement> merged(const std::vector<PanelPlacement>& docked) const;
    // The views stored by position in the layout (view.cfg) split between the `docked` panels docked from
    // that layout, whose views are returned in docking order, and the kept panels, which keep theirs.
    std::vector<PanelView> take_views(const std::vector<PanelView>& stored, std::size_t docked);
    // The docked panels' views with the kept panels' views, in the order of merged().
    std::vector<PanelView> merged_views(const std::vector<PanelView>& docked) const;
    // One message for all kept panels: which ones, why, and that nothing of them is lost.
    std::string report() const;

private:
    struct Kept {
        std::size_t position;
        PanelPlacement placement;
        std::string why;
        PanelView view;
    };
    // The merged layout of `docked` docked panels and the kept ones: per place, which panel goes there.
    struct Place {
        bool kept;
        std::size_t index;  // in kept_ when kept, else among the docked panels
    };
    std::vector<Place> places(std::size_t docked) const;

    std::vector<Kept> kept_;  // by rising position
};

}  // namespace player
