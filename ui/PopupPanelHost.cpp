#include "ui/PopupPanelHost.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quennet {

bool PopupPanelHost::window_shown(HWND__* window) const {
#ifdef _WIN32
    return window != nullptr && IsWindowVisible(window) != FALSE;
#else
    // Without Windows there are no windows to show.
    (void)window;
    return false;
#endif
}

}  // namespace quennet
