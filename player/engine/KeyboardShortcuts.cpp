#include "player/engine/KeyboardShortcuts.h"

namespace player {

bool KeyboardShortcuts::process_keydown(shortcut_type type, const sonavel::metadb_handle_list&, unsigned keycode) {
    offered_.emplace_back(type, keycode);
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
