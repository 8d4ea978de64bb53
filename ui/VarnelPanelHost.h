#pragma once
// The window host of the component's own popup windows. Its host type is how a hosted panel of this
// component knows that it sits in a popup window. Main thread.
#include "ui/PopupPanelHost.h"

namespace quennet {

class VarnelPanelHost : public PopupPanelHost {
public:
    static constexpr sonavel::guid host_type = {0x3B9F6C21, 0x58E4, 0x4D0A, {0xB7, 0x16, 0x4E, 0x82, 0xC5, 0x9A, 0x0D, 0x63}};

    explicit VarnelPanelHost(PopupPanelBase* popup = nullptr) noexcept : PopupPanelHost(popup) {}

    sonavel::guid type_guid() const override { return host_type; }
};

}  // namespace quennet
