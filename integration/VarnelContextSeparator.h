#pragma once
// The line between "Default" and the popup windows' entries.
#include "sdk/contextmenu.h"

namespace quennet {

class VarnelContextSeparator final : public sonavel::contextmenu_item_node {
public:
    node_type get_type() override { return type_separator; }
    bool get_display_data(std::string& out, unsigned& flags, const sonavel::metadb_handle_list&,
                          const sonavel::guid&) override {
        out = "---";
        flags = 0;
        return true;
    }
    sonavel::guid get_guid() override { return {}; }
    bool is_mappable_shortcut() override { return false; }
};

}  // namespace quennet
