// Background processes of the stand-in host with their real progress window, driven like a user would.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <thread>

#include "player/win/WinHost.h"
#include "tests/harness/find_window.h"
#include "tests/harness/message_box.h"
#include "tests/harness/mouse.h"
#include "tests/harness/pump.h"
#include "tests/harness/window_query.h"

namespace {

using namespace std::chrono_literals;

// Runs until aborted, reporting a fixed status so the window has something to show.
class endless_work : public sonavel::threaded_process_callback {
public:
    using interface_t = sonavel::threaded_process_callback;

    std::atomic<DWORD> init_thread{0}, run_thread{0}, done_thread{0};
    std::atomic<bool> done{false}, aborted{false}, running{false};

    void on_init(HWND__*) override { init_thread = GetCurrentThreadId(); }
    void run(sonavel::threaded_process_status& status, sonavel::abort_callback& abort) override {
        run_thread = GetCurrentThreadId();
        status.set_item("Analyze C:\\Music\\song.flac");
        status.set_progress(2500);
        running = true;
        while (!abort.is_aborting()) std::this_thread::sleep_for(5ms);
        abort.check();
    }
    void on_done(HWND__*, bool was_aborted) override {
        done_thread = GetCurrentThreadId();
        aborted = was_aborted;
        done = true;
    }
};

class ProgressWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_.register_services();
        host_.engines().start();
    }
    harness::UnexpectedBoxGuard no_boxes_;
    player::WinHost host_;
};

TEST_F(ProgressWindowTest, CancelButtonAbortsTheWorkerAndDoneRunsOnTheMainThread) {
    auto work = sonavel::service_impl_t<endless_work>::create_object();
    using tp = sonavel::threaded_process_service;
    ASSERT_TRUE(host_.engines().processes.run_modeless(work, tp::flag_show_abort | tp::flag_show_progress | tp::flag_show_item,
                                                       host_.main_window(), "Tag with the same value from library"));
    EXPECT_EQ(work->init_thread, GetCurrentThreadId());

    HWND window = nullptr;
    ASSERT_EVENTUALLY((window = harness::find_window(L"Tag with the same value from library")) != nullptr && work->running);
    HWND item = GetDlgItem(window, player::ProgressWindow::id_item);
    HWND bar = GetDlgItem(window, player::ProgressWindow::id_bar);
    ASSERT_EVENTUALLY(harness::window_text(item) == L"Analyze C:\\Music\\song.flac");
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 2500);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 5000);
    EXPECT_FALSE(work->done);

    HWND cancel = harness::find_child(window, L"Cancel", L"Button");
    ASSERT_NE(cancel, nullptr);
    harness::click(cancel, harness::centre_of(cancel));
    ASSERT_EVENTUALLY(work->done.load());
    EXPECT_TRUE(work->aborted);
    EXPECT_NE(work->run_thread, GetCurrentThreadId());
    EXPECT_EQ(work->done_thread, GetCurrentThreadId());
    ASSERT_EVENTUALLY(harness::find_window(L"Tag with the same value from library") == nullptr);
}

TEST_F(ProgressWindowTest, ClosingTheWindowAlsoCancels) {
    auto work = sonavel::service_impl_t<endless_work>::create_object();
    using tp = sonavel::threaded_process_service;
    host_.engines().processes.run_modeless(work, tp::flag_show_abort | tp::flag_show_progress, host_.main_window(), "Closing");
    HWND window = nullptr;
    ASSERT_EVENTUALLY((window = harness::find_window(L"Closing")) != nullptr && work->running);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EVENTUALLY(work->done.load());
    EXPECT_TRUE(work->aborted);
}

// A process that ends by itself: the modal run waits for it while the loop keeps dispatching.
class short_work : public sonavel::threaded_process_callback {
public:
    using interface_t = sonavel::threaded_process_callback;
    void run(sonavel::threaded_process_status& status, sonavel::abort_callback&) override {
        for (std::size_t i = 1; i <= 5; ++i) {
            status.set_progress(i * 1000);
            std::this_thread::sleep_for(10ms);
        }
    }
};

TEST_F(ProgressWindowTest, ModalRunReturnsTrueWhenTheWorkFinishes) {
    auto work = sonavel::service_impl_t<short_work>::create();
    EXPECT_TRUE(host_.engines().processes.run_modal(work, sonavel::threaded_process_service::flag_show_progress,
                                                    host_.main_window(), "Short"));
    EXPECT_EQ(harness::find_window(L"Short"), nullptr);
}

// A worker that reports every one of many items as fast as it can: the window shows them at a steady
// pace, not once per report, and ends on the last one.
class chatty_work : public sonavel::threaded_process_callback {
public:
    using interface_t = sonavel::threaded_process_callback;
    std::atomic<bool> running{false}, go{false}, finished{false};
    void run(sonavel::threaded_process_status& status, sonavel::abort_callback& abort) override {
        running = true;
        // The test watches the item text from the moment it says go; on a loaded machine the window may
        // take longer to appear than the work would last.
        while (!go && !abort.is_aborting()) std::this_thread::sleep_for(1ms);
        auto until = std::chrono::steady_clock::now() + 500ms;
        for (std::size_t i = 0; std::chrono::steady_clock::now() < until && !abort.is_aborting(); ++i) {
            status.set_item(("item " + std::to_string(i)).c_str());
            status.set_progress(i % 5000);
        }
        status.set_item("last item");
        finished = true;
        while (!abort.is_aborting()) std::this_thread::sleep_for(5ms);
    }
};

TEST_F(ProgressWindowTest, AWindowShownAfterItsDelayShowsWhereTheWorkIs) {
    auto work = sonavel::service_impl_t<endless_work>::create_object();
    using tp = sonavel::threaded_process_service;
    ASSERT_TRUE(host_.engines().processes.run_modeless(
        work, tp::flag_show_abort | tp::flag_show_progress | tp::flag_show_item | tp::flag_show_delayed,
        host_.main_window(), "Slow work"));
    HWND window = nullptr;
    ASSERT_EVENTUALLY((window = harness::find_window(L"Slow work")) != nullptr);
    ASSERT_EVENTUALLY(work->running.load());
    harness::pump_for(100ms);
    EXPECT_FALSE(IsWindowVisible(window)) << "a short piece of work shows nothing";
    ASSERT_EVENTUALLY(IsWindowVisible(window));
    // The work said where it was once, while the window was hidden; the window shows it.
    ASSERT_EVENTUALLY(harness::window_text(GetDlgItem(window, player::ProgressWindow::id_item)) == L"Analyze C:\\Music\\song.flac");
    EXPECT_EQ(SendDlgItemMessageW(window, player::ProgressWindow::id_bar, PBM_GETPOS, 0, 0), 2500);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EVENTUALLY(work->done.load());
}

LRESULT CALLBACK count_text_changes(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR counter) {
    if (message == WM_SETTEXT) ++*reinterpret_cast<int*>(counter);
    return DefSubclassProc(window, message, wparam, lparam);
}

TEST_F(ProgressWindowTest, AWorkerReportingEveryItemRefreshesTheWindowAtMostAboutThirtyTimesASecond) {
    auto work = sonavel::service_impl_t<chatty_work>::create_object();
    using tp = sonavel::threaded_process_service;
    host_.engines().processes.run_modeless(work, tp::flag_show_abort | tp::flag_show_progress | tp::flag_show_item,
                                           host_.main_window(), "Chatty");
    HWND window = nullptr;
    ASSERT_EVENTUALLY((window = harness::find_window(L"Chatty")) != nullptr);
    int changes = 0;
    HWND item = GetDlgItem(window, player::ProgressWindow::id_item);
    ASSERT_TRUE(SetWindowSubclass(item, count_text_changes, 1, reinterpret_cast<DWORD_PTR>(&changes)));
    auto start = std::chrono::steady_clock::now();
    work->go = true;
    ASSERT_EVENTUALLY(work->finished.load());
    ASSERT_EVENTUALLY(harness::window_text(item) == L"last item");
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GT(changes, 1) << "the window followed the work";
    EXPECT_LE(changes, 35 * seconds + 5) << changes << " refreshes in " << seconds << " s";
    RemoveWindowSubclass(item, count_text_changes, 1);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EVENTUALLY(harness::find_window(L"Chatty") == nullptr);
}

}  // namespace
