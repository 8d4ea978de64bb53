#pragma once
// A fill event on its way from a host notification to the panels, through the host's main-thread queue.
#include <cstddef>

#include "sdk/main_thread.h"

namespace quennet {

class PanelFillerMainThreadCallback : public sonavel::main_thread_callback {
public:
    using interface_t = sonavel::main_thread_callback;

    explicit PanelFillerMainThreadCallback(unsigned event) noexcept;
    ~PanelFillerMainThreadCallback();
    PanelFillerMainThreadCallback(const PanelFillerMainThreadCallback&) = delete;
    PanelFillerMainThreadCallback& operator=(const PanelFillerMainThreadCallback&) = delete;

    // Fills the shown panels, or writes pending edits first. Errors end in a console line: the host's
    // queue must not see them.
    void callback_run() override;

    unsigned event() const noexcept { return event_; }
    // Live callbacks carrying event 3 (posted, not yet released).
    static std::size_t pending_selection_count() noexcept;

private:
    void deliver();
    unsigned event_;
};

// Queues event `event` for the panels. Throws the host's error when its main-thread queue is missing or
// duplicated.
void post_fill_event(unsigned event);

// The host may deliver: its services are up, and it is neither starting nor stopping.
bool host_ready() noexcept;

}  // namespace quennet
