#pragma once
// Edit > "Tag update history...": a window owned by the player's main window listing the recent tag
// updates (time, origin, files, fields, whether taken back) newest first, with the history's bound, what
// the chosen update changed (each field's values before and after, how many files, a few of their names)
// and an "Undo" button that takes back the chosen update (an undo taken back is a redo). It opens over
// the middle of its owner; Escape closes it. Main thread.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "player/history/HistoryStore.h"
#include "sdk/win/unique_handle.h"

namespace player::history {

class HistoryWindow {
public:
    static constexpr const wchar_t* title = L"Tag update history";
    // Rows listed at most.
    static constexpr std::size_t shown_updates = 500;
    enum control : int { id_list = 1, id_undo = 2, id_close = 3, id_bound = 4, id_details = 5 };

    // `undo(update)` takes back an update; false when it could not start.
    HistoryWindow(HWND owner, HistoryStore& store, std::string bound_text, std::function<bool(std::int64_t)> undo);
    ~HistoryWindow();
    HistoryWindow(const HistoryWindow&) = delete;
    HistoryWindow& operator=(const HistoryWindow&) = delete;

    HWND window() const noexcept { return window_.get(); }
    HWND list() const noexcept { return list_; }
    // Reads the history again, keeping the chosen update chosen.
    void refresh();
    // The update of the chosen row, 0 when none.
    std::int64_t chosen() const;

private:
    static void register_class();
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT on_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void create_controls();
    void layout();
    void update_button();
    void show_details();
    void undo_chosen();

    HistoryStore& store_;
    std::string bound_text_;
    std::function<bool(std::int64_t)> undo_;
    std::vector<UpdateSummary> rows_;
    sonavel::unique_hfont font_;
    sonavel::unique_hwnd window_;
    HWND list_ = nullptr;
    HWND undo_button_ = nullptr;
    HWND close_button_ = nullptr;
    HWND bound_ = nullptr;
    HWND details_ = nullptr;
    std::int64_t details_of_ = -1;
};

// "2026-12-07 17:04:09", local time.
std::string local_time_text(std::int64_t seconds);

}  // namespace player::history
