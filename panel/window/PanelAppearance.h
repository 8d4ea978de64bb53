#pragma once
// How a panel looks: the preset's fonts on the list and the edit boxes, its colours for text and
// backgrounds, and its edge style on the panel and its controls. Owns the fonts and brushes it hands to
// the controls; each is replaced when the preset's appearance is applied again. Main thread.
#include <windows.h>

#include "presets/Options.h"
#include "sdk/win/unique_handle.h"

namespace quennet {

class PanelAppearance {
public:
    // Fonts, colours and edge style of `options` on `panel` and its list and edit boxes; the edit boxes'
    // font also on `suggestions`, the add box's drop-down (a pop-up outside the panel), when there is one.
    void apply(HWND panel, const Options& options, HWND suggestions = nullptr);
    // WM_CTLCOLOREDIT and WM_CTLCOLORSTATIC: the edit boxes' colours, also while disabled.
    HBRUSH edit_colours(HDC dc, const Options& options);
    // WM_CTLCOLORDLG: the panel's background.
    HBRUSH dialog_background(const Options& options);
    // The list's font, and the same in italics for rows whose change is not written yet; null before the
    // first apply.
    HFONT list_font() const noexcept { return list_font_.get(); }
    HFONT pending_font() const noexcept { return pending_font_.get(); }
    // The edit boxes' font, and the same in italics for typed values not written yet.
    HFONT text_font() const noexcept { return text_font_.get(); }
    HFONT pending_text_font() const noexcept { return pending_text_font_.get(); }

private:
    // The controls keep using the fonts they were given: they live until the next apply or the panel's end.
    sonavel::unique_hfont list_font_;
    sonavel::unique_hfont text_font_;
    sonavel::unique_hfont pending_font_;
    sonavel::unique_hfont pending_text_font_;
    sonavel::unique_hbrush dialog_brush_;
    sonavel::unique_hbrush edit_brush_;
};

// The extended window style an edge style gives the panel and its controls; unknown styles have no edge.
DWORD edge_ex_style(std::int32_t edge_style) noexcept;

}  // namespace quennet
