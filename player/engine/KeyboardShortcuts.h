#pragma once
// The host's keyboard shortcuts: a small table of keys (with modifiers) per context and what they run.
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "sdk/ui_services.h"

namespace player {

class KeyboardShortcuts : public sonavel::keyboard_shortcut_manager_v2 {
public:
    using interface_t = sonavel::keyboard_shortcut_manager_v2;

    bool process_keydown(shortcut_type type, const sonavel::metadb_handle_list& tracks, unsigned keycode) override;
    bool process_keydown_simple(shortcut_type type, const sonavel::metadb_handle_list& tracks,
                                unsigned virtual_key) override;

    void bind(shortcut_type type, unsigned keycode, std::string command, std::function<void()> action = nullptr);
    // Commands run so far, in order.
    const std::vector<std::string>& executed() const noexcept { return executed_; }
    // Every key offered, with its context (tests check what reached the host).
    const std::vector<std::pair<shortcut_type, unsigned>>& offered() const noexcept { return offered_; }
    // The modifiers held now, as keyboard_shortcut_manager::modifier bits (the player reads the keyboard).
    std::function<unsigned()> current_modifiers;
    // True when the keyboard focus is in a text box that has its own meaning for the key (with modifier
    // bits): such a key, offered by a panel whose text box took it, runs no command.
    std::function<bool(unsigned keycode)> typing_takes;

private:
    struct binding {
        std::string command;
        std::function<void()> action;
    };
    std::map<std::pair<shortcut_type, unsigned>, binding> table_;
    std::vector<std::string> executed_;
    std::vector<std::pair<shortcut_type, unsigned>> offered_;
};

}  // namespace player
