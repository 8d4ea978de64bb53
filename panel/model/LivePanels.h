#pragma once
// The process-wide list of live panels, in the order their windows were initialised. Posted fill events
// and tag updates reach the panels by walking it. Main thread only, so it needs no lock.
#include <vector>

namespace quennet {

// What the host's event delivery needs of a panel. Kept free of windows so that the event listeners
// build and register in the native build too.
class LivePanel {
public:
    virtual bool shown() const = 0;
    // The panel holds edits that are not written yet.
    virtual bool has_pending_edits() const = 0;
    virtual void request_fill(unsigned event) = 0;
    // Writes the pending edits of every live panel; the panels are refilled with `event` afterwards.
    virtual void commit_all_pending(unsigned event) = 0;

protected:
    ~LivePanel() = default;
};

std::vector<LivePanel*>& live_panels();

// Joins the list for its lifetime.
class LivePanelMembership {
public:
    explicit LivePanelMembership(LivePanel& panel);
    ~LivePanelMembership();
    LivePanelMembership(const LivePanelMembership&) = delete;
    LivePanelMembership& operator=(const LivePanelMembership&) = delete;

private:
    LivePanel& panel_;
};

bool is_live(const LivePanel* panel);

}  // namespace quennet
