#pragma once
// The window host the component offers panels that live in its popup windows. The registered factory
// hands out this base with its own host type; popup windows use a derived host whose type tells a
// hosted panel that it sits in a popup. Main thread.
#include "sdk/dockwork.h"

namespace quennet {

class PopupPanelBase;

class PopupPanelHost : public dockwork::window_host {
public:
    using interface_t = dockwork::window_host;
    static constexpr sonavel::guid host_type = {0x7D3E1B44, 0x0C6A, 0x4B1F, {0x8E, 0x52, 0xA9, 0x31, 0x6F, 0x20, 0xD8, 0x17}};

    explicit PopupPanelHost(PopupPanelBase* popup = nullptr) noexcept : popup_(popup) {}

    sonavel::guid type_guid() const override { return host_type; }
    void size_limits_changed(HWND__*, unsigned) override {}
    unsigned resize_support(HWND__*) const override { return 0; }
    bool resize_request(HWND__*, unsigned, unsigned, unsigned) override { return false; }
    bool status_text_override(sonavel::service_ptr_t<dockwork::status_text_override>&) override { return false; }
    bool host_option() const override { return false; }
    bool window_shown(HWND__* window) const override;
    bool visibility_changeable(HWND__*, bool) const override { return false; }
    bool change_visibility(HWND__*, bool) override { return true; }
    void relinquish_window(HWND__*) override {}

    // The popup window this host serves (not counted); none for hosts made by the factory, and none again
    // once the popup window has let go of its host.
    PopupPanelBase* popup() const noexcept { return popup_; }
    void set_popup(PopupPanelBase* popup) noexcept { popup_ = popup; }

private:
    PopupPanelBase* popup_;
};

}  // namespace quennet
