#pragma once
// The host's popup messages: kept for whoever asks (tests), and shown by the player's handler.
#include <functional>
#include <string>
#include <vector>

#include "sdk/console.h"

namespace player {

class PopupMessages : public sonavel::popup_message {
public:
    using interface_t = sonavel::popup_message;

    struct message {
        std::string text, title;
        int icon = 0;
    };

    void show(const char* text, const char* title, int icon) override;
    const std::vector<message>& shown() const noexcept { return shown_; }
    // The player shows a message box; without a handler messages are only kept.
    std::function<void(const message&)> handler;

private:
    std::vector<message> shown_;
};

}  // namespace player
