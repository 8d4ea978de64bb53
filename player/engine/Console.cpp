#include "player/engine/Console.h"

#include <cstdio>

namespace player {

void Console::print(const char* line) {
    std::lock_guard<std::mutex> guard(lock_);
    lines_.emplace_back(line);
    if (mirror_) {
        std::fputs(line, stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
}

std::vector<std::string> Console::lines() const {
    std::lock_guard<std::mutex> guard(lock_);
    return lines_;
}

void Console::clear() {
    std::lock_guard<std::mutex> guard(lock_);
    lines_.clear();
}

}  // namespace player
