#include "player/engine/Console.h"

#include <algorithm>
#include <cstdio>

namespace player {

void Console::print(const char* line) {
    std::lock_guard<std::mutex> guard(lock_);
    lines_.emplace_back(line ? line : "");
    if (lines_.size() > backlog_lines) lines_.pop_front();
    if (mirror_) {
        std::fputs(lines_.back().c_str(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    for (const auto& [id, listener] : listeners_) listener(lines_.back());
}

std::vector<std::string> Console::lines() const {
    std::lock_guard<std::mutex> guard(lock_);
    return {lines_.begin(), lines_.end()};
}

void Console::clear() {
    std::lock_guard<std::mutex> guard(lock_);
    lines_.clear();
}

std::pair<int, std::vector<std::string>> Console::add_listener(Listener listener) {
    std::lock_guard<std::mutex> guard(lock_);
    int id = next_listener_++;
    listeners_.emplace_back(id, std::move(listener));
    return {id, {lines_.begin(), lines_.end()}};
}

void Console::remove_listener(int id) {
    std::lock_guard<std::mutex> guard(lock_);
    listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(), [id](const auto& l) { return l.first == id; }),
                     listeners_.end());
}

}  // namespace player
