#pragma once
// Title formatting: scripts that turn a track's record into text.
#include <string>

#include "sdk/metadb.h"

namespace sonavel {

// A compiled script. Implemented by the host; usable from any thread.
class titleformat_object : public service_base {
public:
    static constexpr guid class_guid = {0xB3DB1DD0, 0x8500, 0x48DD, {0x85, 0xBB, 0xDE, 0x68, 0x7F, 0x3F, 0x25, 0x9B}};
    using parent_t = service_base;

    // Formats with the given record (nullptr: the track's current record, read under the lock).
    virtual void run(const metadb_handle_ptr& track, const file_info* info, std::string& out) = 0;
};

// Implemented by the host; any thread.
class titleformat_service : public service_base {
public:
    static constexpr guid class_guid = {0x7F8B7353, 0x3DE0, 0x4C08, {0xBC, 0xDE, 0x0E, 0x11, 0xBB, 0xC9, 0x59, 0xF9}};
    using parent_t = service_base;

    // False when the script does not compile.
    virtual bool compile(service_ptr_t<titleformat_object>& out, const char* script) = 0;
    // Orders tracks by their formatted text (the platform's logical comparison); equal texts keep their
    // order.
    virtual void sort_by_format(metadb_handle_list& tracks, titleformat_object& script) = 0;
};

}  // namespace sonavel
