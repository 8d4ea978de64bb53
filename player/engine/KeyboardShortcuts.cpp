#include "player/engine/KeyboardShortcuts.h"

namespace player {

bool KeyboardShortcuts::process_keydown(shortcut_type type, const sonavel::metadb_handle_list& tracks, unsigned keycode) {
    offered_.emplace_back(type, keycode);
    // Ctrl+A or Delete typed into a text box belong to the text: they neither select every track nor
    // remove any.
    if (typing_takes && typing_takes(keycode)) return false;
    // A context's commands work on the tracks they are given: a key offered without tracks (from a
    // panel's list) has nothing to act on, and removes nothing from a playlist the user is not in.
    if ((type == type_context_playlist || type == type_context_now_playing || type == type_context) && tracks.empty())
        return false;
    auto found = table_.find({type, keycode});
    if (found == table_.end()) return false;
    executed_.push_back(found->second.command);
    if (found->second.action) found->second.action();
    return true;
}

bool KeyboardShortcuts::process_keydown_simple(shortcut_type type, const sonavel::metadb_handle_list& tracks,
                                               unsigned virtual_key) {
    unsigned modifiers = current_modifiers ? current_modifiers() : 0;
    return process_keydown(type, tracks, virtual_key | modifiers);
}

void KeyboardShortcuts::bind(shortcut_type type, unsigned keycode, std::string command, std::function<void()> action) {
    table_[{type, keycode}] = binding{std::move(command), std::move(action)};
}

}  // namespace player
