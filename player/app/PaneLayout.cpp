#include "player/app/PaneLayout.h"

#include <algorithm>

namespace player {

PaneLayout::Result PaneLayout::place(RECT area, int tabs_height, const std::vector<int>& heights) const {
    Result out;
    int width = area.right - area.left, height = area.bottom - area.top;
    int dock = 0;
    if (!heights.empty()) {
        int most = std::max(0, width - least - splitter);
        dock = std::clamp(dock_width_ > 0 ? dock_width_ : std::min(default_width_, width / 2), std::min(least, most), most);
    }
    int left_width = std::max(0, heights.empty() ? width : width - dock - splitter);
    int tabs = std::min(tabs_height, height);
    out.tabs = {area.left, area.top, area.left + left_width, area.top + tabs};
    out.playlist = {area.left, area.top + tabs, area.left + left_width, area.bottom};
    if (heights.empty()) return out;
    int x = area.left + left_width;
    out.dock_splitter = {x, area.top, x + splitter, area.bottom};
    x += splitter;

    // The user's heights where given, the rest shared equally; each panel keeps a least height and the
    // last one takes what is left.
    int count = int(heights.size());
    int room = height - splitter * (count - 1);
    int given = 0, unsized = 0;
    for (int h : heights) {
        if (h > 0) given += h;
        else ++unsized;
    }
    int share = unsized ? std::max(least, (room - given) / unsized) : 0;
    int top = int(area.top);
    for (int i = 0; i < count; ++i) {
        int left_over = count - i - 1;
        int wanted = heights[std::size_t(i)] > 0 ? heights[std::size_t(i)] : share;
        int most = std::max(0, int(area.bottom) - top - left_over * (least + splitter));
        int h = i + 1 == count ? int(area.bottom) - top : std::clamp(wanted, std::min(least, most), most);
        out.panels.push_back({x, top, area.right, top + h});
        top += h;
        if (i + 1 < count) {
            out.panel_splitters.push_back({x, top, area.right, top + splitter});
            top += splitter;
        }
    }
    return out;
}

int PaneLayout::hit(const Result& placed, POINT at) {
    if (PtInRect(&placed.dock_splitter, at)) return -1;
    for (std::size_t i = 0; i < placed.panel_splitters.size(); ++i)
        if (PtInRect(&placed.panel_splitters[i], at)) return int(i);
    return -2;
}

bool PaneLayout::start_drag(const Result& placed, POINT at) {
    dragging_ = hit(placed, at);
    if (dragging_ == -2) return false;
    grab_ = dragging_ == -1 ? at.x - placed.dock_splitter.left : at.y - placed.panel_splitters[std::size_t(dragging_)].top;
    return true;
}

void PaneLayout::drag(const Result& placed, POINT at, int client_right, std::vector<int>& heights) {
    if (dragging_ == -1) {
        dock_width_ = client_right - (at.x - grab_) - splitter;
        return;
    }
    if (dragging_ < 0) return;
    std::size_t k = std::size_t(dragging_);
    if (k + 1 >= heights.size() || k + 1 >= placed.panels.size()) return;
    for (std::size_t j = 0; j < heights.size() && j < placed.panels.size(); ++j)
        heights[j] = int(placed.panels[j].bottom - placed.panels[j].top);
    int both = heights[k] + heights[k + 1];
    int upper = std::clamp(int(at.y - grab_ - placed.panels[k].top), least, std::max(least, both - least));
    heights[k] = upper;
    heights[k + 1] = both - upper;
}

}  // namespace player
