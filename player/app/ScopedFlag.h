#pragma once
// Sets a flag for a scope and puts back what it was: a guard against re-entry from a message loop that runs
// inside the scope, which holds also when the scope is left by an exception.

namespace player {

class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag), old_(flag) { flag = true; }
    ~ScopedFlag() { flag_ = old_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace player
