#include "player/engine/StatusLine.h"

#include <utility>

namespace player {

void StatusLine::set(std::string text) {
    text_ = std::move(text);
    if (listener_) listener_(text_);
}

}  // namespace player
