#include "player/history/HistoryCommands.h"

#include <commctrl.h>

#include "player/engine/HostEngines.h"
#include "player/history/TagUndo.h"
#include "sdk/errors.h"

namespace player::history {
namespace {

constexpr UINT_PTR subclass_id = 0x4853;
// Before View: File, Edit, View.
constexpr UINT edit_position = 1;

}  // namespace

HistoryCommands::HistoryCommands(HWND frame, HostEngines& host, TagHistory& history)
    : frame_(frame), host_(host), history_(history) {
    sonavel::unique_hmenu edit(CreatePopupMenu());
    AppendMenuW(edit.get(), MF_STRING, command_undo, L"&Undo tag update");
    AppendMenuW(edit.get(), MF_STRING, command_redo, L"&Redo tag update");
    AppendMenuW(edit.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(edit.get(), MF_STRING, command_history, L"Tag update &history...");
    if (HMENU bar = GetMenu(frame_)) {
        edit_ = edit.get();
        InsertMenuW(bar, edit_position, MF_BYPOSITION | MF_POPUP, UINT_PTR(edit.release()), L"&Edit");
        DrawMenuBar(frame_);
    }
    update_items();
    SetWindowSubclass(frame_, frame_proc, subclass_id, reinterpret_cast<DWORD_PTR>(this));
    history_.on_changed = [this] {
        update_items();
        if (window_) window_->refresh();
    };
}

HistoryCommands::~HistoryCommands() {
    history_.on_changed = nullptr;
    RemoveWindowSubclass(frame_, frame_proc, subclass_id);
}

void HistoryCommands::update_items() {
    if (!edit_ || !IsMenu(edit_)) return;
    auto enable = [this](UINT id, bool on) { EnableMenuItem(edit_, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
    enable(command_undo, history_.store().latest_undoable(false).has_value());
    enable(command_redo, history_.store().latest_undoable(true).has_value());
}

bool HistoryCommands::run(UINT id) {
    switch (id) {
    case command_undo:
        undo_latest(host_, history_, frame_);
        return true;
    case command_redo:
        redo_latest(host_, history_, frame_);
        return true;
    case command_history:
        show_history();
        return true;
    default:
        return false;
    }
}

void HistoryCommands::show_history() {
    if (!window_ || !IsWindow(window_->window())) {
        window_.reset();
        window_ = std::make_unique<HistoryWindow>(frame_, history_.store(), history_.limits().describe(),
                                                  [this](std::int64_t update) {
                                                      return start_undo(host_, history_, update, window_->window());
                                                  });
    } else {
        window_->refresh();
        ShowWindow(window_->window(), SW_SHOW);
    }
    SetForegroundWindow(window_->window());
}

LRESULT CALLBACK HistoryCommands::frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                             DWORD_PTR self) {
    auto* commands = reinterpret_cast<HistoryCommands*>(self);
    // Nothing may unwind into the system's window code.
    try {
        if (message == WM_COMMAND && lparam == 0 && HIWORD(wparam) == 0 && commands->run(LOWORD(wparam))) return 0;
        if (message == WM_INITMENUPOPUP && reinterpret_cast<HMENU>(wparam) == commands->edit_) commands->update_items();
    } catch (const std::exception& e) {
        commands->host_.console.print(("Tag update history: " + sonavel::message_of(e)).c_str());
        commands->host_.popups.show(sonavel::message_of(e).c_str(), "Tag update history",
                                    sonavel::popup_message::icon_error);
        return 0;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace player::history
