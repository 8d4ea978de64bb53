#include "player/core/ServiceRegistry.h"

namespace player {

void ServiceRegistry::add_module(sonavel::service_factory_base* list_head) {
    for (auto* f = list_head; f; f = f->next()) by_class_[f->service_class()].push_back(f);
}

std::size_t ServiceRegistry::count(const sonavel::guid& service_class) const {
    auto found = by_class_.find(service_class);
    return found == by_class_.end() ? 0 : found->second.size();
}

sonavel::service_ptr_t<sonavel::service_base> ServiceRegistry::create(const sonavel::guid& service_class,
                                                                       std::size_t index) const {
    const auto& list = factories(service_class);
    if (index >= list.size()) throw sonavel::exception_service_not_found();
    return list[index]->instance_create();
}

const std::vector<sonavel::service_factory_base*>& ServiceRegistry::factories(const sonavel::guid& service_class) const {
    static const std::vector<sonavel::service_factory_base*> none;
    auto found = by_class_.find(service_class);
    return found == by_class_.end() ? none : found->second;
}

}  // namespace player
