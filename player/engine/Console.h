#pragma once
// The host's console: the latest lines are kept (a bounded backlog) and each is mirrored to standard
// output and handed to the listeners, such as the console window. Any thread.
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "sdk/console.h"

namespace player {

class Console : public sonavel::console_output {
public:
    using interface_t = sonavel::console_output;
    // Called on the printing thread, under the console's lock: it must not print, nor wait for a thread
    // that may print.
    using Listener = std::function<void(const std::string& line)>;
    static constexpr std::size_t backlog_lines = 10000;

    void print(const char* line) override;
    // The kept lines, oldest first.
    std::vector<std::string> lines() const;
    void clear();
    void set_mirror(bool to_stdout) { mirror_ = to_stdout; }

    // Hands `listener` every line printed from now on and returns the kept ones, in one step, so that
    // no line is missed or seen twice. The number identifies the listener for remove_listener.
    std::pair<int, std::vector<std::string>> add_listener(Listener listener);
    // Once it returns, the listener is not running and is never called again.
    void remove_listener(int id);

private:
    mutable std::mutex lock_;
    std::deque<std::string> lines_;
    std::vector<std::pair<int, Listener>> listeners_;
    int next_listener_ = 1;
    bool mirror_ = true;
};

}  // namespace player
