#pragma once
// The progress window of background work: title, the item being worked on, a bar on the 0 to 5000 scale
// and Cancel. The worker's calls only store what to show; the window picks it up on the main thread, at
// most about 30 times a second, so that a worker reporting every file costs nothing.
#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

#include "player/engine/Progress.h"
#include "sdk/win/unique_handle.h"

namespace player {

class ProgressWindow final : public ProgressView {
public:
    ProgressWindow(HWND parent, const char* title, unsigned flags);
    ~ProgressWindow() override;

    void set_progress(std::size_t position) override;
    void set_item(const char* text) override;
    void set_item_path(const char* path) override { set_item(path); }
    void set_title(const char* text) override;
    sonavel::abort_callback_impl& abort() override { return abort_; }
    HWND__* window() const override { return window_.get(); }
    void close() override;

    enum control_id : int { id_item = 100, id_bar = 101, id_cancel = IDCANCEL };

private:
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT on_message(HWND self, UINT message, WPARAM wparam, LPARAM lparam);
    void refresh();
    // Font, controls and window size for the window's DPI.
    void layout();

    sonavel::abort_callback_impl abort_;
    unsigned flags_;
    std::mutex lock_;
    std::size_t progress_ = 0;
    std::string item_, title_;
    bool title_changed_ = false;
    bool changed_ = false;
    sonavel::unique_hwnd window_;
    sonavel::unique_hfont font_;
};

class ProgressWindowFactory final : public ProgressFactory {
public:
    std::unique_ptr<ProgressView> open(HWND__* parent, const char* title, unsigned flags) override;
};

}  // namespace player
