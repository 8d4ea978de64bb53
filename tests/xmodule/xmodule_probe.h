#pragma once
// What the probe library and the test executable share: a service class both register, and the C
// functions the library exports. Both sides link their own copy of the SDK, as host and component do.
#include <cstddef>

#include "sdk/service_factory.h"

namespace xmodule {

// Implemented by both modules; called on the test's thread.
class probe_service : public sonavel::service_base {
public:
    static constexpr sonavel::guid class_guid = {0x5A7C0E21, 0x3B44, 0x4F1D, {0xA2, 0x6E, 0x90, 0x13, 0x57, 0x9B, 0xCD, 0x01}};
    using parent_t = sonavel::service_base;
    // Which module and which registration answered.
    virtual const char* name() = 0;
};

// How the library's catching function saw what the callback threw.
enum catch_result : int {
    caught_nothing = 0,
    caught_by_exact_type = 1,
    caught_by_base_only = 2,
    caught_as_foreign = 3,
};

}  // namespace xmodule

extern "C" {
using xmodule_callback = void (*)();

// Calls `callback` and lets whatever it throws pass back to the caller.
void xmodule_call_through(xmodule_callback callback);
// Calls `callback`, catching exception_service_not_found by its type; copies the caught message into
// `message` (at most `size` bytes including the terminator) and answers a catch_result.
int xmodule_catch_service_not_found(xmodule_callback callback, char* message, std::size_t size);
// Throw from inside the library.
void xmodule_throw_truncation();
void xmodule_throw_bad_alloc();
// Head of the library's own service factory list.
sonavel::service_factory_base* xmodule_service_list_head();
}
