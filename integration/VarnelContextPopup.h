#pragma once
// The submenu of "Tag in varnel panel" for one opening of the menu: "Default", then, when popup windows
// exist, a separator and one entry per popup window in case-insensitive order of name.
#include <memory>
#include <string>
#include <vector>

#include "sdk/contextmenu.h"

namespace quennet {

class VarnelContextPopup final : public sonavel::contextmenu_item_node {
public:
    static constexpr sonavel::guid node_guid = {0xC7EE5EF5, 0x13AD, 0x4F47, {0xAB, 0x44, 0xFE, 0x69, 0xA6, 0x20, 0x0C, 0x8B}};

    // `names`: the name of every popup window, in list order.
    VarnelContextPopup(std::string text, std::vector<std::string> names);

    node_type get_type() override { return type_popup; }
    bool get_display_data(std::string& out, unsigned& flags, const sonavel::metadb_handle_list&,
                          const sonavel::guid&) override;
    std::size_t get_children_count() override { return children_.size(); }
    sonavel::contextmenu_item_node* get_child(std::size_t index) override;
    sonavel::guid get_guid() override { return node_guid; }
    bool is_mappable_shortcut() override { return false; }

    const std::vector<std::string>& names() const noexcept { return names_; }
    const std::vector<std::string>& sorted_names() const noexcept { return sorted_names_; }

private:
    std::string text_;
    std::vector<std::string> names_;
    std::vector<std::string> sorted_names_;
    std::vector<std::unique_ptr<sonavel::contextmenu_item_node>> children_;
};

}  // namespace quennet
