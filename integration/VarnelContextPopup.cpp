#include "integration/VarnelContextPopup.h"

#include <algorithm>
#include <numeric>

#include "integration/VarnelContextLeaf.h"
#include "integration/VarnelContextSeparator.h"
#include "sdk/utf8.h"

namespace quennet {

VarnelContextPopup::VarnelContextPopup(std::string text, std::vector<std::string> names)
    : text_(std::move(text)), names_(std::move(names)) {
    // Positions rather than names are sorted: windows of the same name each keep an entry of their own.
    std::vector<std::size_t> order(names_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return sonavel::stricmp_utf8_ex(names_[a], names_[b]) < 0;
    });

    children_.push_back(std::make_unique<VarnelContextLeaf>(VarnelContextLeaf::default_entry, "Default"));
    if (names_.empty()) return;
    children_.push_back(std::make_unique<VarnelContextSeparator>());
    for (std::size_t position : order) {
        sorted_names_.push_back(names_[position]);
        children_.push_back(
            std::make_unique<VarnelContextLeaf>(VarnelContextLeaf::entry_of_position(position), names_[position]));
    }
}

bool VarnelContextPopup::get_display_data(std::string& out, unsigned& flags, const sonavel::metadb_handle_list&,
                                          const sonavel::guid&) {
    out = text_;
    flags = 0;
    return true;
}

sonavel::contextmenu_item_node* VarnelContextPopup::get_child(std::size_t index) {
    return index < children_.size() ? children_[index].get() : nullptr;
}

}  // namespace quennet
