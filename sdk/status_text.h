#pragma once
// A line of text that a component shows in the host's status bar.
#include "sdk/service.h"

namespace sonavel {

// Unwritten edits a component holds, in the component's own words (the number of changes and the keys
// that write or discard them). Implemented by the host, optionally: a component must work without it.
// Main thread.
class pending_changes_status : public service_base {
public:
    static constexpr guid class_guid = {0xC21B855B, 0x08BC, 0x4A79, {0xBE, 0xBE, 0x9D, 0x80, 0x8A, 0x54, 0x74, 0x5C}};
    using parent_t = service_base;

    // UTF-8; an empty text removes the line.
    virtual void show_pending(const char* text) = 0;
};

}  // namespace sonavel
