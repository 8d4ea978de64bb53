// Background processes: which thread runs what, in which order, Cancel, status, failures and the modal
// variant.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "host_fixture.h"
#include "sdk/threaded_process.h"

namespace engine_test {
namespace {

using sonavel::abort_callback;
using sonavel::threaded_process_service;
using sonavel::threaded_process_status;

// Shared between a process object (which the host may release on any thread) and its test.
struct Journal {
    std::mutex lock;
    std::vector<std::string> steps;
    std::thread::id init_thread, run_thread, done_thread;
    std::atomic<bool> done{false};
    bool was_aborted = false;
    bool init_before_run = false;
    // Read in on_done from the view the test kept.
    std::function<void()> on_done_extra;

    void step(const std::string& s) {
        std::lock_guard<std::mutex> guard(lock);
        steps.push_back(s);
    }
};

class Process : public sonavel::threaded_process_callback {
public:
    using interface_t = sonavel::threaded_process_callback;
    Process(Journal& journal, std::function<void(threaded_process_status&, abort_callback&)> body)
        : journal_(journal), body_(std::move(body)) {}

    void on_init(HWND__*) override {
        journal_.init_thread = std::this_thread::get_id();
        journal_.step("init");
    }
    void run(threaded_process_status& status, abort_callback& abort) override {
        journal_.run_thread = std::this_thread::get_id();
        {
            std::lock_guard<std::mutex> guard(journal_.lock);
            journal_.init_before_run = !journal_.steps.empty() && journal_.steps.front() == "init";
        }
        journal_.step("run");
        if (body_) body_(status, abort);
    }
    void on_done(HWND__*, bool was_aborted) override {
        journal_.done_thread = std::this_thread::get_id();
        journal_.was_aborted = was_aborted;
        journal_.step(was_aborted ? "done aborted" : "done");
        if (journal_.on_done_extra) journal_.on_done_extra();
        journal_.done = true;
    }

private:
    Journal& journal_;
    std::function<void(threaded_process_status&, abort_callback&)> body_;
};

// Polls the token as a well-behaved worker does, for at most a few seconds.
void poll_until_aborted(threaded_process_status&, abort_callback& abort) {
    for (int i = 0; i < 5000; ++i) {
        abort.check();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

class EngineThreadedProcess : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        service = sonavel::standard_api_create_t<threaded_process_service>();
        engines.headless_progress.on_open = [this](player::HeadlessProgress& v) {
            view = &v;
            if (cancel_on_open) v.abort().abort();
        };
    }

    sonavel::service_ptr_t<sonavel::threaded_process_callback> process(
        std::function<void(threaded_process_status&, abort_callback&)> body = nullptr) {
        return sonavel::service_impl_t<Process>::create(journal, std::move(body));
    }
    bool start(std::function<void(threaded_process_status&, abort_callback&)> body = nullptr) {
        return service->run_modeless(process(std::move(body)),
                                     threaded_process_service::flag_show_abort | threaded_process_service::flag_show_progress,
                                     nullptr, "Working");
    }
    bool wait_done() { return engines.run_until([this] { return journal.done.load(); }) && engines.run_until_idle(); }

    const std::thread::id main_id = std::this_thread::get_id();
    Journal journal;
    player::HeadlessProgress* view = nullptr;
    bool cancel_on_open = false;
    sonavel::service_ptr_t<threaded_process_service> service;
};

TEST_F(EngineThreadedProcess, InitOnMainThreadThenRunOnAWorkerThenDoneBackOnTheMainThread) {
    std::atomic<bool> release{false};
    ASSERT_TRUE(start([&](threaded_process_status&, abort_callback&) { wait_for([&] { return release.load(); }); }));
    // on_init already ran, before run_modeless returned.
    EXPECT_EQ(journal.init_thread, main_id);
    release = true;
    // on_done waits for the main thread's queue however long the worker is finished.
    ASSERT_TRUE(wait_for([&] {
        std::lock_guard<std::mutex> guard(journal.lock);
        return journal.steps.size() == 2;
    }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(journal.done);

    ASSERT_TRUE(wait_done());
    EXPECT_EQ(journal.steps, (std::vector<std::string>{"init", "run", "done"}));
    EXPECT_TRUE(journal.init_before_run);
    EXPECT_NE(journal.run_thread, main_id);
    EXPECT_EQ(journal.done_thread, main_id);
    EXPECT_FALSE(journal.was_aborted);
}

TEST_F(EngineThreadedProcess, CancelledProcessEndsWithWasAborted) {
    cancel_on_open = true;
    ASSERT_TRUE(start(poll_until_aborted));
    ASSERT_TRUE(wait_done());
    EXPECT_EQ(journal.steps, (std::vector<std::string>{"init", "run", "done aborted"}));
    EXPECT_TRUE(journal.was_aborted);
    EXPECT_TRUE(console_lines_containing("failed").empty()) << "Cancel is no failure";
}

TEST_F(EngineThreadedProcess, CancelWhileRunningEndsWithWasAborted) {
    std::atomic<bool> running{false};
    ASSERT_TRUE(start([&](threaded_process_status& s, abort_callback& a) {
        running = true;
        poll_until_aborted(s, a);
    }));
    ASSERT_TRUE(wait_for([&] { return running.load(); }));
    view->abort().abort();
    ASSERT_TRUE(wait_done());
    EXPECT_TRUE(journal.was_aborted);
}

TEST_F(EngineThreadedProcess, StatusReachesTheProgressView) {
    std::string item;
    std::size_t progress = 1;
    journal.on_done_extra = [&] {
        item = view->item();
        progress = view->progress();
    };
    std::vector<std::size_t> positions;
    ASSERT_TRUE(start([&](threaded_process_status& status, abort_callback&) {
        status.set_title("Counting");
        status.set_item("first item");
        for (std::size_t p = threaded_process_status::progress_min; p <= threaded_process_status::progress_max; p += 1250) {
            status.set_progress(p);
            positions.push_back(view->progress());
        }
        status.set_item_path("C:\\music\\last.mp3");
    }));
    ASSERT_TRUE(wait_done());
    EXPECT_EQ(positions, (std::vector<std::size_t>{0, 1250, 2500, 3750, 5000}));
    EXPECT_EQ(item, "C:\\music\\last.mp3");
    EXPECT_EQ(progress, threaded_process_status::progress_max);
}

TEST_F(EngineThreadedProcess, AnExceptionInRunIsReportedAndOnDoneStillRuns) {
    ASSERT_TRUE(start([](threaded_process_status&, abort_callback&) { throw std::runtime_error("disk on fire"); }));
    ASSERT_TRUE(wait_done());
    EXPECT_EQ(journal.steps, (std::vector<std::string>{"init", "run", "done"}));
    EXPECT_FALSE(journal.was_aborted);
    EXPECT_EQ(console_lines_containing("disk on fire").size(), 1u);
}

TEST_F(EngineThreadedProcess, AHostErrorInRunIsReportedByItsMessage) {
    ASSERT_TRUE(start([](threaded_process_status&, abort_callback&) { throw sonavel::exception_io_data(); }));
    ASSERT_TRUE(wait_done());
    EXPECT_EQ(console_lines_containing("Unsupported format or corrupted file").size(), 1u);
    EXPECT_FALSE(journal.was_aborted);
}

TEST_F(EngineThreadedProcess, RunModalReturnsTrueWhenItCompleted) {
    bool result = service->run_modal(process(), threaded_process_service::flag_show_abort, nullptr, "Modal");
    EXPECT_TRUE(result);
    // on_done ran before run_modal returned.
    EXPECT_TRUE(journal.done);
    EXPECT_EQ(journal.steps, (std::vector<std::string>{"init", "run", "done"}));
    EXPECT_EQ(journal.done_thread, main_id);
}

TEST_F(EngineThreadedProcess, RunModalReturnsFalseWhenAborted) {
    cancel_on_open = true;
    bool result = service->run_modal(process(poll_until_aborted), threaded_process_service::flag_show_abort, nullptr, "Modal");
    EXPECT_FALSE(result);
    EXPECT_TRUE(journal.done);
    EXPECT_TRUE(journal.was_aborted);
}

TEST_F(EngineThreadedProcess, RunModalAfterAFailureStillReturnsTrue) {
    bool result = service->run_modal(process([](threaded_process_status&, abort_callback&) { throw std::runtime_error("oops"); }),
                                     0, nullptr, nullptr);
    EXPECT_TRUE(result);
    EXPECT_EQ(console_lines_containing("oops").size(), 1u);
}

TEST_F(EngineThreadedProcess, ProcessesRunSideBySide) {
    Journal second;
    std::atomic<int> inside{0}, saw_both{0};
    auto body = [&](threaded_process_status&, abort_callback&) {
        ++inside;
        if (wait_for([&] { return inside.load() == 2; }, 2000)) ++saw_both;
    };
    ASSERT_TRUE(start(body));
    ASSERT_TRUE(service->run_modeless(sonavel::service_impl_t<Process>::create(second, body), 0, nullptr, "Second"));
    ASSERT_TRUE(engines.run_until([&] { return journal.done.load() && second.done.load(); }));
    EXPECT_EQ(saw_both, 2) << "one process waited for the other to end";
}

}  // namespace
}  // namespace engine_test
