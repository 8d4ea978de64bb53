#include "player/core/ServiceRegistry.h"

namespace player {

void ServiceRegistry::add_module(sonavel::service_factory_base* list_head) {
    for (auto* f = list_head; f; f = f->next()) by_class_[f->service_class()].push_back(entry{f, {}});
}

void ServiceRegistry::add_instance(const sonavel::guid& service_class,
                                   sonavel::service_ptr_t<sonavel::service_base> instance) {
    by_class_[service_class].push_back(entry{nullptr, std::move(instance)});
}

std::size_t ServiceRegistry::count(const sonavel::guid& service_class) const { return entries(service_class).size(); }

sonavel::service_ptr_t<sonavel::service_base> ServiceRegistry::create(const sonavel::guid& service_class,
                                                                       std::size_t index) const {
    const auto& list = entries(service_class);
    if (index >= list.size()) throw sonavel::exception_service_not_found();
    const entry& e = list[index];
    return e.factory ? e.factory->instance_create() : e.instance;
}

const std::vector<ServiceRegistry::entry>& ServiceRegistry::entries(const sonavel::guid& service_class) const {
    static const std::vector<entry> none;
    auto found = by_class_.find(service_class);
    return found == by_class_.end() ? none : found->second;
}

}  // namespace player
