// The stand-in host's message loop: main-thread callbacks from any thread, modeless dialog keys.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "player/win/WinHost.h"
#include "tests/harness/message_box.h"
#include "tests/harness/pump.h"

namespace {

class record_run : public sonavel::main_thread_callback {
public:
    using interface_t = sonavel::main_thread_callback;
    record_run(std::vector<int>& log, std::vector<DWORD>& threads, int n) : log_(log), threads_(threads), n_(n) {}
    void callback_run() override {
        log_.push_back(n_);
        threads_.push_back(GetCurrentThreadId());
    }

private:
    std::vector<int>& log_;
    std::vector<DWORD>& threads_;
    int n_;
};

class MessageLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_.register_services();
        host_.engines().start();
    }
    harness::UnexpectedBoxGuard no_boxes_;
    player::WinHost host_;
};

TEST_F(MessageLoopTest, CallbacksQueuedByAWorkerRunInOrderOnTheMainThread) {
    std::vector<int> log;
    std::vector<DWORD> threads;
    auto service = sonavel::standard_api_create_t<sonavel::main_thread_service>();
    std::thread worker([&] {
        for (int i = 0; i < 20; ++i) service->add_callback(sonavel::service_impl_t<record_run>::create(log, threads, i));
    });
    worker.join();
    EXPECT_TRUE(log.empty()) << "callbacks must wait for the loop";
    ASSERT_EVENTUALLY(log.size() == 20u);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(log[std::size_t(i)], i);
    for (DWORD t : threads) EXPECT_EQ(t, GetCurrentThreadId());
}

// A modeless window with two edits: Tab moves between them only while it is registered.
class TwoEdits {
public:
    TwoEdits() {
        window_.reset(CreateWindowExW(WS_EX_CONTROLPARENT, L"#32770", L"Modeless", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                      100, 100, 300, 120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        first_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 10, 10, 200, 22,
                                 window_.get(), reinterpret_cast<HMENU>(1), nullptr, nullptr);
        second_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 10, 40, 200, 22,
                                  window_.get(), reinterpret_cast<HMENU>(2), nullptr, nullptr);
    }
    HWND window() const { return window_.get(); }
    HWND first() const { return first_; }
    HWND second() const { return second_; }

private:
    sonavel::unique_hwnd window_;
    HWND first_, second_;
};

// Posts the key straight into the queue: the host's loop, not the harness's, must dispatch it.
void post_key(HWND target, UINT key) {
    SetFocus(target);
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, LPARAM(0xC0000001));
}

TEST_F(MessageLoopTest, RegisteredModelessDialogsGetDialogKeys) {
    TwoEdits dialog;
    auto registry = sonavel::standard_api_create_t<sonavel::modeless_dialog_manager>();

    post_key(dialog.first(), VK_TAB);
    host_.loop().run_until([] { return false; }, 100);
    EXPECT_EQ(GetFocus(), dialog.first()) << "unregistered: the edit takes the tab itself";

    registry->add(dialog.window());
    post_key(dialog.first(), VK_TAB);
    EXPECT_TRUE(host_.loop().run_until([&] { return GetFocus() == dialog.second(); }, 2000));

    registry->remove(dialog.window());
    post_key(dialog.second(), VK_TAB);
    host_.loop().run_until([] { return false; }, 100);
    EXPECT_EQ(GetFocus(), dialog.second());
}

TEST_F(MessageLoopTest, TheKeyFilterSeesKeyPressesFirstWhicheverLoopTakesThem) {
    TwoEdits dialog;
    std::vector<WPARAM> seen;
    host_.loop().set_key_filter([&](const MSG& msg) {
        seen.push_back(msg.wParam);
        return msg.wParam == VK_F6;
    });
    post_key(dialog.first(), VK_F6);
    post_key(dialog.first(), 'A');
    // Not the player's loop: the filter hooks the thread's queue.
    harness::pump_for(std::chrono::milliseconds(50));
    EXPECT_EQ(seen, (std::vector<WPARAM>{VK_F6, 'A'}));
    host_.loop().set_key_filter(nullptr);
    post_key(dialog.first(), VK_F6);
    harness::pump_for(std::chrono::milliseconds(30));
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(MessageLoopTest, EscapeClosesOnlyAWindowThatAskedForIt) {
    // Top-level windows whose WM_CLOSE destroys them (the default), each with an edit.
    auto window_with_edit = [](HWND& edit) {
        HWND top = CreateWindowExW(0, L"STATIC", L"top", WS_POPUP | WS_VISIBLE, 0, 0, 200, 80, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, top, nullptr, nullptr, nullptr);
        return top;
    };
    HWND asked_edit = nullptr, other_edit = nullptr;
    sonavel::unique_hwnd asked(window_with_edit(asked_edit)), other(window_with_edit(other_edit));
    player::MessageLoop::close_on_escape(asked.get());
    post_key(other_edit, VK_ESCAPE);
    harness::pump_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(IsWindow(other.get()));
    post_key(asked_edit, VK_ESCAPE);
    harness::pump_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(IsWindow(asked.get()));
    if (!IsWindow(asked.get())) asked.release();
}

}  // namespace
