#pragma once
// Background work with a progress window.
#include <cstddef>

#include "sdk/abort.h"
#include "sdk/service.h"

struct HWND__;

namespace sonavel {

// What the worker may tell its progress window. Implemented by the host; called by the worker.
class threaded_process_status {
public:
    static constexpr std::size_t progress_min = 0;
    static constexpr std::size_t progress_max = 5000;

    virtual void set_progress(std::size_t position) = 0;
    virtual void set_item(const char* text) = 0;
    virtual void set_item_path(const char* path) = 0;
    virtual void set_title(const char* text) = 0;

protected:
    ~threaded_process_status() = default;
};

// Implemented by callers. on_init and on_done run on the main thread, run on a worker.
class threaded_process_callback : public service_base {
public:
    static constexpr guid class_guid = {0x310B28DB, 0xA759, 0x452D, {0xBE, 0xEB, 0x70, 0x76, 0xCE, 0xB2, 0x57, 0xE9}};
    using parent_t = service_base;

    virtual void on_init(HWND__* progress_window) {}
    virtual void run(threaded_process_status& status, abort_callback& abort) = 0;
    virtual void on_done(HWND__* progress_window, bool was_aborted) {}
};

// Implemented by the host; called on the main thread.
class threaded_process_service : public service_base {
public:
    static constexpr guid class_guid = {0x98943F9B, 0x0DA8, 0x4A43, {0x97, 0xE2, 0x94, 0xD1, 0x0B, 0x62, 0x42, 0x4A}};
    using parent_t = service_base;

    enum flags : unsigned {
        flag_show_abort = 0x001,
        flag_show_minimize = 0x002,
        flag_show_progress = 0x004,
        flag_show_progress_dual = 0x008,
        flag_show_item = 0x010,
        flag_show_pause = 0x020,
        flag_high_priority = 0x040,
        flag_show_delayed = 0x080,
        flag_no_focus = 0x100,
    };

    // Starts the process and returns; on_done reports the end. False when it could not start.
    virtual bool run_modeless(service_ptr_t<threaded_process_callback> callback, unsigned flags, HWND__* parent,
                              const char* title) = 0;
    // Runs the process with a modal progress window; returns false when it was aborted.
    virtual bool run_modal(service_ptr_t<threaded_process_callback> callback, unsigned flags, HWND__* parent,
                           const char* title) = 0;
};

}  // namespace sonavel
