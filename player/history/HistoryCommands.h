#pragma once
// The player's Edit menu for tag updates: "Undo tag update", "Redo tag update" and "Tag update
// history...", inserted into the main window's menu bar before View, with commands 150-169. Each is
// enabled only when it has something to do. Main thread.
#include <windows.h>

#include <memory>

#include "player/history/HistoryWindow.h"
#include "player/history/TagHistory.h"

namespace player {
struct HostEngines;
}

namespace player::history {

class HistoryCommands {
public:
    enum command : UINT { command_undo = 150, command_redo = 151, command_history = 152 };

    HistoryCommands(HWND frame, HostEngines& host, TagHistory& history);
    ~HistoryCommands();
    HistoryCommands(const HistoryCommands&) = delete;
    HistoryCommands& operator=(const HistoryCommands&) = delete;

    // Runs a command as the menu does; false for an id that is not one of ours.
    bool run(UINT id);
    // The history window while it exists (opened once, then hidden and shown again).
    HistoryWindow* window() noexcept { return window_.get(); }

private:
    static LRESULT CALLBACK frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                       DWORD_PTR self);
    void update_items();
    void show_history();

    HWND frame_;
    HostEngines& host_;
    TagHistory& history_;
    HMENU edit_ = nullptr;  // belongs to the menu bar
    std::unique_ptr<HistoryWindow> window_;
};

}  // namespace player::history
