#pragma once
// Hand-over to the main thread.
#include "sdk/service.h"

namespace sonavel {

// Work queued for the main thread. Implemented by callers; the host runs it once and then releases it.
class main_thread_callback : public service_base {
public:
    static constexpr guid class_guid = {0xAA78DA3E, 0x17F9, 0x4900, {0x8E, 0xCA, 0x0A, 0x84, 0x0C, 0x0B, 0x2E, 0x11}};
    using parent_t = service_base;

    virtual void callback_run() = 0;
};

// Implemented by the host; callable from any thread. Callbacks run in the order queued, through the
// main thread's message loop.
class main_thread_service : public service_base {
public:
    static constexpr guid class_guid = {0xA71B3923, 0x15DB, 0x4676, {0x88, 0xB1, 0x37, 0xFC, 0x52, 0x89, 0x27, 0x16}};
    using parent_t = service_base;

    virtual void add_callback(service_ptr_t<main_thread_callback> callback) = 0;
};

}  // namespace sonavel
