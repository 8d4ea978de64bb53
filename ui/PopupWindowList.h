#pragma once
// The live popup windows in order of registration, and the owner of every popup object.
//
// A popup leaves the list in destroy(), which often runs inside its own window procedure (WM_CLOSE) or
// inside its panel's (a panel that closes its popup). Freeing it there would pull the object, and the
// panel it holds, from under procedures still running. So a popup that leaves the list is freed later,
// from the host's main-thread queue, where no window procedure of it runs any more.
#include <cstddef>
#include <memory>
#include <vector>

namespace quennet {

class PopupPanel;

class PopupWindowList {
public:
    PopupWindowList();
    ~PopupWindowList();
    PopupWindowList(const PopupWindowList&) = delete;
    PopupWindowList& operator=(const PopupWindowList&) = delete;

    // Takes a new popup that is being shown; it joins the live list when its window registers it.
    PopupPanel& keep(std::unique_ptr<PopupPanel> popup);
    // Showing is over: a popup that did not become live (or left again) is freed later. Until then it
    // is never freed, whatever runs while its window and panel are made.
    void shown(PopupPanel& popup) noexcept { unpin(popup); }
    // Keeps `popup` in memory, live or destroyed meanwhile, until unpin: for callers that run a modal
    // loop on it (its window may be closed from inside that loop).
    void pin(const PopupPanel& popup) { showing_.push_back(&popup); }
    // Ends one pin; a popup that is no longer live is freed later.
    void unpin(PopupPanel& popup) noexcept;
    // Registration order; a popup added twice counts twice.
    void add(PopupPanel& popup);
    // Removes every occurrence; the object is freed later.
    void remove(PopupPanel& popup);

    std::size_t size() const noexcept { return live_.size(); }
    bool empty() const noexcept { return live_.empty(); }
    PopupPanel& operator[](std::size_t position) const noexcept { return *live_[position]; }
    bool contains(const PopupPanel& popup) const noexcept;
    // Popup objects in memory: live ones and those waiting to be freed.
    std::size_t held() const noexcept { return kept_.size(); }

    // Asks the host's main-thread queue to free the popups that are no longer live.
    void release_later() noexcept;
    // Frees them now. Only where no window procedure of theirs, nor of their panels, is running.
    void release_unlisted() noexcept;

private:
    std::vector<PopupPanel*> live_;
    std::vector<std::unique_ptr<PopupPanel>> kept_;
    std::vector<const PopupPanel*> showing_;
};

}  // namespace quennet
