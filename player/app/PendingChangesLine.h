#pragma once
// The host's side of a component's line about its unwritten edits: handed on to whoever shows it (the
// status bar). The host's registry keeps the object for its own life; the status bar attaches itself while
// it exists, so a late line reaches nobody. Main thread.
#include <functional>
#include <string>

#include "sdk/status_text.h"

namespace player {

class PendingChangesLine : public sonavel::pending_changes_status {
public:
    using interface_t = sonavel::pending_changes_status;
    using Shower = std::function<void(const std::string& text)>;

    void attach(Shower shower) { shower_ = std::move(shower); }
    void show_pending(const char* text) override {
        if (shower_) shower_(text ? text : "");
    }

private:
    Shower shower_;
};

}  // namespace player
