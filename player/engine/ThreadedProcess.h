#pragma once
// Background processes with a progress window: on_init on the main thread, run on a worker, on_done back
// on the main thread. Cancel in the window aborts the worker's token.
#include <functional>

#include "sdk/threaded_process.h"

namespace player {

struct HostEngines;

class ThreadedProcess : public sonavel::threaded_process_service {
public:
    using interface_t = sonavel::threaded_process_service;

    explicit ThreadedProcess(HostEngines& host) : host_(host) {}

    bool run_modeless(sonavel::service_ptr_t<sonavel::threaded_process_callback> callback, unsigned flags,
                      HWND__* parent, const char* title) override;
    bool run_modal(sonavel::service_ptr_t<sonavel::threaded_process_callback> callback, unsigned flags, HWND__* parent,
                   const char* title) override;

private:
    // Starts the process; `finished` runs on the main thread after on_done with whether it was aborted.
    void start(sonavel::service_ptr_t<sonavel::threaded_process_callback> callback, unsigned flags, HWND__* parent,
               const char* title, std::function<void(bool)> finished);

    HostEngines& host_;
};

}  // namespace player
