#pragma once
// Keyboard handling for every panel window. The host's message loop gives child dialogs no dialog
// navigation, so one message hook on the main thread runs each key through the dialog manager of the
// panel it belongs to, gives Enter (apply) and Escape (revert) their panel meanings, offers other keys to
// the host's keyboard shortcuts and then empties the message. Installed while at least one panel window
// exists. Main thread only.
#include <windows.h>

namespace quennet {

// The first panel window installs the hook; later calls do nothing.
void install_keyboard_hook();
// Removes the hook; the last panel window calls it.
void remove_keyboard_hook();
bool keyboard_hook_installed() noexcept;

// Offers `key`, with the modifier keys held now, to the host's keyboard shortcuts of the main window,
// then of the playlist's context, then of the playing track's; true when one handled it.
bool pass_to_host_shortcuts(unsigned key);

// What the hook does with one message taken from the queue; exposed for the hook procedure only.
void handle_panel_key(MSG& message);

}  // namespace quennet
