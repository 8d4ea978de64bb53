#pragma once
// The progress window of background work, as the engines see it. The player shows a real window; tests
// without windows use HeadlessProgress. Setters are called from the worker thread.
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "sdk/threaded_process.h"

namespace player {

class ProgressView : public sonavel::threaded_process_status {
public:
    virtual ~ProgressView() = default;
    // The token the window's Cancel button triggers.
    virtual sonavel::abort_callback_impl& abort() = 0;
    // The window handle handed to callbacks (null without a window).
    virtual HWND__* window() const = 0;
    // Main thread, when the work is over.
    virtual void close() = 0;
};

// Opens progress views; main thread.
class ProgressFactory {
public:
    virtual ~ProgressFactory() = default;
    virtual std::unique_ptr<ProgressView> open(HWND__* parent, const char* title, unsigned flags) = 0;
};

// Remembers the last status; a test may abort it like a user pressing Cancel.
class HeadlessProgress final : public ProgressView {
public:
    void set_progress(std::size_t position) override;
    void set_item(const char* text) override;
    void set_item_path(const char* path) override { set_item(path); }
    void set_title(const char* text) override;
    sonavel::abort_callback_impl& abort() override { return abort_; }
    HWND__* window() const override { return nullptr; }
    void close() override {}

    std::size_t progress() const;
    std::string item() const;

private:
    mutable std::mutex lock_;
    std::size_t progress_ = 0;
    std::string item_, title_;
    sonavel::abort_callback_impl abort_;
};

class HeadlessProgressFactory final : public ProgressFactory {
public:
    std::unique_ptr<ProgressView> open(HWND__* parent, const char* title, unsigned flags) override;
    // Called with each view as it opens (tests keep it to press Cancel).
    std::function<void(HeadlessProgress&)> on_open;
};

}  // namespace player
