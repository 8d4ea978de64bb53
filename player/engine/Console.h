#pragma once
// The host's console: every line is kept and mirrored to standard output.
#include <mutex>
#include <string>
#include <vector>

#include "sdk/console.h"

namespace player {

class Console : public sonavel::console_output {
public:
    using interface_t = sonavel::console_output;

    void print(const char* line) override;
    std::vector<std::string> lines() const;
    void clear();
    void set_mirror(bool to_stdout) { mirror_ = to_stdout; }

private:
    mutable std::mutex lock_;
    std::vector<std::string> lines_;
    bool mirror_ = true;
};

}  // namespace player
