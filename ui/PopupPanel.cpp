#include "ui/PopupPanel.h"

namespace quennet {

PopupWindowList popup_windows;

void PopupPanel::add_to_list() { popup_windows.add(*this); }

void PopupPanel::remove_from_list() { popup_windows.remove(*this); }

}  // namespace quennet
