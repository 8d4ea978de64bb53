#pragma once
// The console as a window: every line the host's console keeps (up to its backlog) and every line printed
// while the window exists, in order, in a read-only text box that can be selected and copied. Lines may be
// printed on any thread: they wait in an inbox and the window takes them on the main thread, woken by one
// posted message per batch. Closing the window only hides it; it keeps collecting. Main thread.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "player/engine/Console.h"
#include "sdk/win/unique_handle.h"

namespace player {

class ConsoleWindow {
public:
    static constexpr int id_text = 100;

    ConsoleWindow(HWND owner, Console& console);
    ~ConsoleWindow();
    ConsoleWindow(const ConsoleWindow&) = delete;
    ConsoleWindow& operator=(const ConsoleWindow&) = delete;

    HWND window() const noexcept { return window_.get(); }
    HWND text_box() const noexcept { return GetDlgItem(window_.get(), id_text); }
    // Shows the window in front, at the latest line.
    void show();
    // The lines shown, joined by CR LF.
    std::wstring text() const;

private:
    struct Inbox;
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT on_message(HWND self, UINT message, WPARAM wparam, LPARAM lparam);
    void take_lines();
    void append(const std::wstring& text, std::size_t lines);

    Console& console_;
    std::shared_ptr<Inbox> inbox_;
    int listener_ = 0;
    std::size_t shown_lines_ = 0;
    sonavel::unique_hfont font_;
    // Declared last: the window goes first, while what it uses still exists.
    sonavel::unique_hwnd window_;
};

}  // namespace player
