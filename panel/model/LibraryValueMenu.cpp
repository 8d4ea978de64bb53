#include "panel/model/LibraryValueMenu.h"

#include "panel/model/LibraryValueChange.h"

namespace quennet {

std::vector<PanelMenuItem> library_value_items(const std::string& value) {
    std::vector<PanelMenuItem> items;
    if (!value.empty()) {
        items.push_back({command_library_rename, "Rename '" + value + "' in the library..."});
        items.push_back({command_library_remove, "Remove '" + value + "' from the library..."});
        const std::size_t pieces = split_value(value, default_separators()).size();
        if (pieces > 1)
            items.push_back({command_library_split, "Split '" + value + "' into " + std::to_string(pieces) + " values..."});
        items.push_back({});
    }
    items.push_back({command_find_similar, "Find similar values..."});
    return items;
}

}  // namespace quennet
