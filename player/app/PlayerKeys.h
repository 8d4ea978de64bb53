#pragma once
// The player's own keys: each runs a menu command of the main window (sent as WM_COMMAND, so that
// every part listening to the main window's commands hears it) and is shown beside its menu entry.
// Keys reach them two ways: pressed anywhere in the main window outside a panel, through the message
// loop's key filter; pressed in a panel, which hands keys it has no use for to the host's keyboard
// shortcuts, through bindings there. Main thread.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "player/engine/KeyboardShortcuts.h"

namespace player {

class MessageLoop;

struct PlayerKey {
    unsigned key;  // a virtual key with keyboard_shortcut_manager's modifier bits
    UINT command;
};

class PlayerKeys {
public:
    // The first key of a command is the one its menu entry shows. `leave_edits_alone`: commands that a
    // key typed into a text box does not run (the text box has its own meaning for it).
    PlayerKeys(HWND frame, MessageLoop& loop, KeyboardShortcuts& shortcuts, std::vector<PlayerKey> keys,
               std::vector<UINT> leave_edits_alone = {});
    ~PlayerKeys();
    PlayerKeys(const PlayerKeys&) = delete;
    PlayerKeys& operator=(const PlayerKeys&) = delete;

    // The key as a menu shows it after a tab ("Ctrl+Z", "Shift+F6").
    static std::wstring key_name(unsigned key);
    // "text\tkey" for a command with a key, else the text.
    std::wstring menu_text(UINT command, const wchar_t* text) const;

private:
    bool on_key(const MSG& msg);
    // False when the command is left to the text box that has the focus.
    bool run(UINT command);

    HWND frame_;
    MessageLoop& loop_;
    std::vector<PlayerKey> keys_;
    std::vector<UINT> leave_edits_alone_;
    // The shortcuts' bindings outlive us: they reach us through this, emptied when we go.
    std::shared_ptr<PlayerKeys*> self_;
};

}  // namespace player
