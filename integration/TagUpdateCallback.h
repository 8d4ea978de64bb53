#pragma once
// Tags of tracks changed: when a selected track is among them, the panels refill with event 10.
#include "sdk/metadb.h"

namespace quennet {

class TagUpdateCallback : public sonavel::metadb_io_callback {
public:
    using interface_t = sonavel::metadb_io_callback;

    void on_changed_sorted(const sonavel::metadb_handle_list& items_sorted, bool from_hook) override;
};

}  // namespace quennet
