#pragma once
// Services of the host's user interface that components call with window handles.
#include "sdk/metadb.h"

struct HWND__;

namespace sonavel {

// The host's message loop runs IsDialogMessage for registered windows. Implemented by the host; main
// thread.
class modeless_dialog_manager : public service_base {
public:
    static constexpr guid class_guid = {0xC1BFCBF8, 0xBFBC, 0x4469, {0xA4, 0x91, 0x28, 0x21, 0x61, 0x3C, 0x5C, 0xA2}};
    using parent_t = service_base;

    virtual void add(HWND__* window) = 0;
    virtual void remove(HWND__* window) = 0;
};

// The host's keyboard shortcuts. Implemented by the host; main thread.
class keyboard_shortcut_manager : public service_base {
public:
    static constexpr guid class_guid = {0x0B599409, 0x7207, 0x43CE, {0x89, 0x82, 0xB5, 0x8C, 0xC3, 0x8D, 0x67, 0x64}};
    using parent_t = service_base;

    enum shortcut_type : unsigned { type_main = 0, type_context = 1, type_context_playlist = 2, type_context_now_playing = 3 };
    // Key codes carry the modifiers in their high bits.
    enum modifier : unsigned { mod_shift = 0x100, mod_ctrl = 0x200, mod_alt = 0x400, mod_win = 0x800 };

    // Runs the command bound to the key; false when none is.
    virtual bool process_keydown(shortcut_type type, const metadb_handle_list& tracks, unsigned keycode) = 0;
};

// Extension: the same with the current modifier keys added by the host.
class keyboard_shortcut_manager_v2 : public keyboard_shortcut_manager {
public:
    static constexpr guid class_guid = {0xA8242FD3, 0x52B7, 0x4EBF, {0x90, 0x09, 0x6A, 0xD6, 0x26, 0x2B, 0x63, 0x4D}};
    using parent_t = keyboard_shortcut_manager;

    virtual bool process_keydown_simple(shortcut_type type, const metadb_handle_list& tracks, unsigned virtual_key) = 0;
};

}  // namespace sonavel
