#pragma once
// The player's one line of news for the user (the result of the last tag write, a scan's progress): the
// main window's status bar shows the latest text. Main thread; work on other threads sets it through the
// main-thread queue.
#include <functional>
#include <string>

namespace player {

class StatusLine {
public:
    using Listener = std::function<void(const std::string& text)>;

    void set(std::string text);
    const std::string& text() const noexcept { return text_; }
    // The one listener (the status bar); an empty function detaches it.
    void listen(Listener listener) { listener_ = std::move(listener); }

private:
    std::string text_;
    Listener listener_;
};

}  // namespace player
