#pragma once
// Entries of the host's advanced preferences. Implemented by components; main thread.
#include <string>

#include "sdk/service.h"

namespace sonavel {

class advconfig_entry : public service_base {
public:
    static constexpr guid class_guid = {0xCA4717A2, 0x48D9, 0x4C24, {0x91, 0x62, 0xCD, 0x53, 0x10, 0x7F, 0x27, 0x95}};
    using parent_t = service_base;

    // The host's root branch, and its branch for display settings.
    static constexpr guid guid_root = {0xED34B355, 0x17BF, 0x4903, {0x98, 0xD9, 0xA5, 0x1F, 0xAB, 0x75, 0x4A, 0x3B}};
    static constexpr guid guid_branch_display = {0xDE04E732, 0x6674, 0x46B9, {0xA2, 0x65, 0x6B, 0x3C, 0xF9, 0xA3, 0x36, 0xB7}};

    virtual void get_name(std::string& out) = 0;
    virtual guid get_guid() = 0;
    virtual guid get_parent() = 0;
    virtual void reset() = 0;
    virtual double get_sort_priority() = 0;
};

// A branch: holds entries, has no value.
class advconfig_branch : public advconfig_entry {
public:
    static constexpr guid class_guid = {0x52042F4A, 0xC4AC, 0x4647, {0xB6, 0xA8, 0xE4, 0xC4, 0xE9, 0x8F, 0x15, 0x57}};
    using parent_t = advconfig_entry;
};

class advconfig_entry_checkbox : public advconfig_entry {
public:
    static constexpr guid class_guid = {0x8411AA33, 0x3BAE, 0x4758, {0xA5, 0x59, 0xCA, 0xE8, 0xE5, 0xB5, 0x2E, 0x4B}};
    using parent_t = advconfig_entry;

    virtual bool get_state() = 0;
    virtual void set_state(bool state) = 0;
    // A radio button rather than a check box.
    virtual bool is_radio() = 0;
};

// An entry edited as text (integers are text entries that convert).
class advconfig_entry_string : public advconfig_entry {
public:
    static constexpr guid class_guid = {0xDDC38B59, 0x5C0C, 0x49A1, {0x8F, 0xA7, 0x26, 0xC3, 0x80, 0xF9, 0x34, 0x27}};
    using parent_t = advconfig_entry;

    enum flags : unsigned { flag_is_integer = 1, flag_is_signed = 2 };
    virtual void get_state(std::string& out) = 0;
    virtual void set_state(const char* text) = 0;
    virtual unsigned get_flags() = 0;
};

}  // namespace sonavel
