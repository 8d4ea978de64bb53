#pragma once
// A tooltip over the rows of a list view: when the mouse rests on a row, a standard tooltip control shows
// the text the owner gives for that row (none when it gives an empty text); moving to another row, leaving
// the list, scrolling or pressing a button hides it (after a click the row shows no tip again until the
// mouse has been on another row). The list view is subclassed while the object lives. Main thread.
#include <windows.h>

#include <functional>
#include <string>

#include "sdk/win/unique_handle.h"

namespace quennet {

class ValueTooltip {
public:
    // `text_of(row)`: the tip for a row, empty for none.
    ValueTooltip(HWND list, std::function<std::string(int row)> text_of);
    ~ValueTooltip();
    ValueTooltip(const ValueTooltip&) = delete;
    ValueTooltip& operator=(const ValueTooltip&) = delete;

    // The tooltip control.
    HWND window() const noexcept { return tip_.get(); }
    // The row whose tip shows, -1 when none does.
    int shown_row() const noexcept { return shown_row_; }
    void hide();

private:
    static LRESULT CALLBACK list_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                      DWORD_PTR self);
    void on_mouse_move(POINT at);
    void on_hover(POINT at);
    void on_button();
    void watch_for_hover();
    int row_at(POINT at) const;

    HWND list_;
    std::function<std::string(int)> text_of_;
    sonavel::unique_hwnd tip_;
    std::wstring text_;  // the shown text: the control keeps a pointer to it
    int shown_row_ = -1;
    int hover_row_ = -1;
    int quiet_row_ = -1;
    bool subclassed_ = false;
};

}  // namespace quennet
