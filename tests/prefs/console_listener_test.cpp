// The console's backlog and its listeners: a window that opens late still sees the earlier lines, and no
// line printed on any thread is lost or seen twice.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "player/engine/Console.h"

namespace prefs_test {
namespace {

TEST(ConsoleListener, GetsTheBacklogThenEveryLaterLineOnce) {
    sonavel::service_impl_single_t<player::Console> console;
    console.set_mirror(false);
    console.print("before 1");
    console.print("before 2");
    std::vector<std::string> heard;
    auto [id, backlog] = console.add_listener([&](const std::string& line) { heard.push_back(line); });
    console.print("after");
    console.remove_listener(id);
    console.print("gone");
    EXPECT_EQ(backlog, (std::vector<std::string>{"before 1", "before 2"}));
    EXPECT_EQ(heard, (std::vector<std::string>{"after"}));
}

TEST(ConsoleListener, TheBacklogKeepsOnlyTheLatestLines) {
    sonavel::service_impl_single_t<player::Console> console;
    console.set_mirror(false);
    for (std::size_t i = 0; i < player::Console::backlog_lines + 5; ++i) console.print(std::to_string(i).c_str());
    auto lines = console.lines();
    ASSERT_EQ(lines.size(), player::Console::backlog_lines);
    EXPECT_EQ(lines.front(), "5");
    EXPECT_EQ(lines.back(), std::to_string(player::Console::backlog_lines + 4));
}

TEST(ConsoleListener, LinesFromManyThreadsWhileAListenerJoinsAreNeitherLostNorDoubled) {
    sonavel::service_impl_single_t<player::Console> console;
    console.set_mirror(false);
    constexpr int threads = 4, per_thread = 500;
    std::vector<std::thread> printers;
    for (int t = 0; t < threads; ++t)
        printers.emplace_back([&console, t] {
            for (int i = 0; i < per_thread; ++i) console.print((std::to_string(t) + ":" + std::to_string(i)).c_str());
        });
    std::mutex lock;
    std::vector<std::string> heard;
    auto [id, backlog] = console.add_listener([&](const std::string& line) {
        std::lock_guard<std::mutex> guard(lock);
        heard.push_back(line);
    });
    for (auto& p : printers) p.join();
    console.remove_listener(id);
    std::vector<std::string> all = backlog;
    all.insert(all.end(), heard.begin(), heard.end());
    EXPECT_EQ(all, console.lines()) << "backlog and heard lines together are the console's lines, in order";
    EXPECT_EQ(all.size(), std::size_t(threads * per_thread));
}

}  // namespace
}  // namespace prefs_test
