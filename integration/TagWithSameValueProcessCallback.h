#pragma once
// "Tag with same value from library" as a host threaded process: on_init takes the selection, the
// library and the panel's preset on the main thread; run decides the new records on the worker; on_done,
// back on the main thread, writes them through the host's asynchronous update as Apply does, or, with
// nothing to write, gives the panel back and refills it. The panel is busy from the start until then.
#include <atomic>
#include <string>

#include "integration/SameValueAnalysis.h"
#include "panel/model/TagChanges.h"
#include "sdk/threaded_process.h"

namespace quennet {

class LivePanel;
class PanelModel;

class TagWithSameValueProcessCallback : public sonavel::threaded_process_callback {
public:
    using interface_t = sonavel::threaded_process_callback;

    // The panel is not owned: it may be closed while the process runs, and is then left alone.
    explicit TagWithSameValueProcessCallback(PanelModel& panel);

    void on_init(HWND__* progress_window) override;
    void run(sonavel::threaded_process_status& status, sonavel::abort_callback& abort) override;
    void on_done(HWND__* progress_window, bool was_aborted) override;

private:
    // The panel while it lives, else null. Main thread.
    PanelModel* live_panel() const;
    void write(PanelModel* panel);

    PanelModel* panel_;
    // Identify the panel later without touching it: the list of live panels holds this pointer, and a
    // panel created at the same address after this one was closed has another window.
    const LivePanel* live_entry_;
    HWND__* panel_window_;
    SameValueInput input_;
    WriteList writes_;
    // on_init took everything the worker needs.
    bool ready_ = false;
    // Set by the worker when the analysis ran to its end; read on the main thread after the host's
    // hand-over.
    std::atomic<bool> analysed_{false};
};

}  // namespace quennet
