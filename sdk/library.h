#pragma once
// The media library.
#include "sdk/metadb.h"

namespace sonavel {

// Changes of the library. Implemented by listeners that register themselves; called on the main thread.
class library_callback_dynamic {
public:
    virtual void on_items_added(const metadb_handle_list& tracks) = 0;
    virtual void on_items_removed(const metadb_handle_list& tracks) = 0;
    virtual void on_items_modified(const metadb_handle_list& tracks) = 0;

protected:
    ~library_callback_dynamic() = default;
};

// Implemented by the host; called on the main thread.
class library_service : public service_base {
public:
    static constexpr guid class_guid = {0x980624DA, 0x1A06, 0x4B1E, {0xA3, 0x4A, 0x60, 0x9D, 0x08, 0xCE, 0xF7, 0xA0}};
    using parent_t = service_base;

    virtual metadb_handle_list get_all_items() = 0;
    virtual bool is_item_in_library(const metadb_handle_ptr& track) = 0;
    virtual void register_callback(library_callback_dynamic* callback) = 0;
    virtual void unregister_callback(library_callback_dynamic* callback) = 0;
};

}  // namespace sonavel
