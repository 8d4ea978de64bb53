#pragma once
// Console lines and popup messages.
#include "sdk/service.h"

namespace sonavel {

// Implemented by the host; any thread.
class console_output : public service_base {
public:
    static constexpr guid class_guid = {0xF8D7592D, 0x42DB, 0x46F6, {0x91, 0x8E, 0x04, 0x34, 0xE3, 0x8B, 0xED, 0x60}};
    using parent_t = service_base;

    virtual void print(const char* line) = 0;
};

// Prints to every console output; does nothing when there is no host.
void console_print(const char* line);

// Implemented by the host; main thread.
class popup_message : public service_base {
public:
    static constexpr guid class_guid = {0x49B158EE, 0x31AC, 0x40A1, {0xB0, 0xB9, 0x36, 0x0D, 0x22, 0xAB, 0xF9, 0xD5}};
    using parent_t = service_base;

    enum icon : int { icon_information = 0, icon_error = 1 };
    virtual void show(const char* message, const char* title, int icon) = 0;
};

}  // namespace sonavel
