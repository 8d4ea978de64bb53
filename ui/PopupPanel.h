#pragma once
// A popup window that counts among the live popup windows while it is registered.
#include "ui/PopupPanelBase.h"
#include "ui/PopupWindowList.h"

namespace quennet {

class PopupPanel final : public PopupPanelBase {
public:
    explicit PopupPanel(PopupConfig config) : PopupPanelBase(std::move(config)) {}

protected:
    void add_to_list() override;
    void remove_from_list() override;
};

// The live popup windows, in order of registration; it also owns every popup object until it can be
// freed.
extern PopupWindowList popup_windows;

}  // namespace quennet
