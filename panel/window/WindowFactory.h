#pragma once
// Registers a panel class with the panel host: a new panel for every request. A panel that fails while
// it is built is not handed out; the panel host then gets nothing.
#include "sdk/dockwork.h"

namespace quennet {

template <typename Panel>
class WindowFactory final : public sonavel::service_factory_base {
public:
    WindowFactory() noexcept : sonavel::service_factory_base(dockwork::window::class_guid) {}

    sonavel::service_ptr_t<sonavel::service_base> instance_create() override {
        try {
            sonavel::service_ptr_t<dockwork::window> panel = sonavel::service_impl_t<Panel>::create();
            return sonavel::service_ptr_t<sonavel::service_base>(static_cast<sonavel::service_base*>(panel.get_ptr()));
        } catch (...) {
            return {};
        }
    }
};

}  // namespace quennet
