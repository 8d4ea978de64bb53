#pragma once
// The drop-down of suggestions under the panel's add box. It opens below the box (never over what the user
// typed) while the value being typed matches known values, and never takes the focus: the box keeps it.
// While it is open, Up and Down move through it, Enter (or a click on a suggestion) puts the chosen value in place of the one being
// typed (nothing is applied), Escape closes it. While it is closed the box's keys are its own, so Enter
// applies as before. The box is subclassed while the object lives. Main thread.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "presets/Options.h"
#include "sdk/win/unique_handle.h"

namespace quennet {

// What the add box suggests from: the preset's values, then the values of its field in the library.
std::vector<std::string> known_values(const Options& preset);

class ValueSuggestions {
public:
    // `known()`: the values to suggest from, asked again each time the box gets the focus.
    ValueSuggestions(HWND add_box, std::function<std::vector<std::string>()> known);
    ~ValueSuggestions();
    ValueSuggestions(const ValueSuggestions&) = delete;
    ValueSuggestions& operator=(const ValueSuggestions&) = delete;

    // The box's text changed by the user: the drop-down follows it.
    void on_text_changed();
    void on_focus_gained();
    void hide();

    bool shown() const;
    // The drop-down's list box (a pop-up window), and what it offers.
    HWND list() const noexcept { return list_.get(); }
    std::vector<std::string> offered() const;

private:
    // A click on a suggestion chooses it; the drop-down never takes the focus or activates. It is sized
    // again when the panel gives it a new font.
    static LRESULT CALLBACK list_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                      DWORD_PTR self);
    static LRESULT CALLBACK box_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                     DWORD_PTR self);
    // True when the key was the drop-down's.
    bool on_key(UINT key);
    void move(int step);
    void choose();
    void place(std::size_t rows);

    HWND box_;
    std::function<std::vector<std::string>()> known_source_;
    std::vector<std::string> known_;
    bool known_loaded_ = false;
    sonavel::unique_hwnd list_;
    bool subclassed_ = false;
    bool list_subclassed_ = false;
    // The box's text set by choosing: no drop-down for it.
    bool choosing_ = false;
    // Enter or Escape was the drop-down's: its character is swallowed too.
    bool took_key_ = false;
};

}  // namespace quennet
