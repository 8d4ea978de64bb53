#include "player/engine/PopupMessages.h"

namespace player {

void PopupMessages::show(const char* text, const char* title, int icon) {
    shown_.push_back(message{text ? text : "", title ? title : "", icon});
    if (handler) handler(shown_.back());
}

}  // namespace player
