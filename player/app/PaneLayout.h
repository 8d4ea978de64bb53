#pragma once
// Where the main window's parts go: the tabs and the playlist on the left, the shown docked panels stacked
// in the panel area on the right, with a splitter bar between the playlist and the panel area and one
// between each two stacked panels. The panel area's width and each panel's height are the user's (0: an
// equal share); they are kept within the window, each part keeping a least size. Geometry only.
#include <windows.h>

#include <vector>

namespace player {

class PaneLayout {
public:
    static constexpr int splitter = 5;
    static constexpr int default_dock_width = 440;
    static constexpr int least = 60;

    struct Result {
        RECT tabs{}, playlist{};
        std::vector<RECT> panels;  // of the shown panels, top to bottom
        RECT dock_splitter{};      // empty without shown panels
        std::vector<RECT> panel_splitters;  // below each shown panel but the last
    };
    // `heights`: of the shown panels, as the user left them (0: an equal share).
    Result place(RECT area, int tabs_height, const std::vector<int>& heights) const;

    int dock_width() const noexcept { return dock_width_; }
    void set_dock_width(int width) noexcept { dock_width_ = width; }

    // What a drag that starts at a point moves: -2 nothing, -1 the panel area's splitter, n the splitter
    // below the n-th shown panel.
    static int hit(const Result& placed, POINT at);

private:
    int dock_width_ = default_dock_width;
};

}  // namespace player
