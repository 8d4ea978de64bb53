#pragma once
// Where the main window's parts go: the tabs and the playlist on the left, the shown docked panels stacked
// in the panel area on the right, with a splitter bar between the playlist and the panel area and one
// between each two stacked panels. The panel area's width and each panel's height are the user's (0: an
// equal share); they are kept within the window, each part keeping a least size. A drag of a splitter
// moves it with the mouse from where it was taken. Geometry only: the caller captures the mouse.
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

    // The panel area's width as the user left it (0: not chosen; the area then takes the default width,
    // at most half the window).
    int dock_width() const noexcept { return dock_width_; }
    void set_dock_width(int width) noexcept { dock_width_ = width; }
    // The default width at the window's DPI.
    void set_default_dock_width(int width) noexcept { default_width_ = width; }
    int default_width() const noexcept { return default_width_; }

    // What a drag that starts at a point moves: -2 nothing, -1 the panel area's splitter, n the splitter
    // below the n-th shown panel.
    static int hit(const Result& placed, POINT at);

    // A drag starting at `at`: false when no splitter is there.
    bool start_drag(const Result& placed, POINT at);
    bool dragging() const noexcept { return dragging_ != -2; }
    // The mouse moved to `at` during a drag: the panel area's width, or the heights of the two shown
    // panels beside the splitter (`heights`: of the shown panels; every other one keeps its height now).
    void drag(const Result& placed, POINT at, int client_right, std::vector<int>& heights);
    void end_drag() noexcept { dragging_ = -2; }

private:
    int dock_width_ = 0;
    int default_width_ = default_dock_width;
    int dragging_ = -2;  // what the drag moves (as hit() says), -2: no drag
    int grab_ = 0;       // where in the bar the drag took it
};

}  // namespace player
