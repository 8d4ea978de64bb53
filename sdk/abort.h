#pragma once
// Abort token passed through every long or stream operation. Set from any thread, polled by the worker.
#include <atomic>

#include "sdk/errors.h"

namespace sonavel {

class abort_callback {
public:
    virtual bool is_aborting() const noexcept = 0;
    // Throws "User abort" once aborting.
    void check() const {
        if (is_aborting()) throw exception_aborted();
    }

protected:
    ~abort_callback() = default;
};

class abort_callback_impl final : public abort_callback {
public:
    bool is_aborting() const noexcept override { return aborting_.load(std::memory_order_acquire); }
    void abort() noexcept { aborting_.store(true, std::memory_order_release); }
    void reset() noexcept { aborting_.store(false, std::memory_order_release); }

private:
    std::atomic<bool> aborting_{false};
};

// For callers that cannot be aborted.
class abort_callback_dummy final : public abort_callback {
public:
    bool is_aborting() const noexcept override { return false; }
};

}  // namespace sonavel
