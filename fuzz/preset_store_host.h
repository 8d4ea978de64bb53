#pragma once
// The panel host's global fonts and colours on a core of their own: all a preset record needs to be
// made. The preset-store fuzzer and its seed writer run on it.
#include "player/core/HostCore.h"
#include "player/engine/PanelHostServices.h"
#include "sdk/core_api.h"

namespace preset_fuzz {

class panel_host {
public:
    panel_host() {
        add<panoplex::fonts::manager>(fonts_);
        add<panoplex::colours::manager>(colours_);
        state_.initializing = false;
        state_.services_available = true;
        sonavel::set_core(&core_);
    }
    ~panel_host() {
        if (sonavel::core() == &core_) sonavel::set_core(nullptr);
        state_.registry.clear();
    }
    panel_host(const panel_host&) = delete;
    panel_host& operator=(const panel_host&) = delete;

private:
    template <typename Interface, typename Impl>
    void add(Impl& engine) {
        state_.registry.add_instance(Interface::class_guid,
                                     static_cast<sonavel::service_base*>(static_cast<Interface*>(&engine)));
    }

    player::HostState state_;
    player::ModuleCore core_{state_, "player.exe"};
    sonavel::service_impl_single_t<player::GlobalFonts> fonts_;
    sonavel::service_impl_single_t<player::GlobalColours> colours_;
};

}  // namespace preset_fuzz
