#include "sdk/playlist.h"

namespace sonavel {

metadb_handle_list playlist_service::get_selected_items(std::size_t playlist) {
    metadb_handle_list out;
    enum_items(playlist, bit_array_true(), [&](std::size_t, const metadb_handle_ptr& track, bool selected) {
        if (selected) out.push_back(track);
        return true;
    });
    return out;
}

metadb_handle_list playlist_service::get_all_items(std::size_t playlist) {
    metadb_handle_list out;
    enum_items(playlist, bit_array_true(), [&](std::size_t, const metadb_handle_ptr& track, bool) {
        out.push_back(track);
        return true;
    });
    return out;
}

}  // namespace sonavel
