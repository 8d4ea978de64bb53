#pragma once
// The host's index of every registered service: its own module's factories first, then each loaded
// component's, each module's list read from its head.
#include <cstddef>
#include <unordered_map>
#include <vector>

#include "sdk/service_factory.h"

namespace player {

class ServiceRegistry {
public:
    // Appends the factories of one module's list, from its head.
    void add_module(sonavel::service_factory_base* list_head);

    std::size_t count(const sonavel::guid& service_class) const;
    // Throws "Service not found" for an index past the end.
    sonavel::service_ptr_t<sonavel::service_base> create(const sonavel::guid& service_class, std::size_t index) const;
    // The factories of a class in the host's order (the panel host creates panels from them repeatedly).
    const std::vector<sonavel::service_factory_base*>& factories(const sonavel::guid& service_class) const;

private:
    std::unordered_map<sonavel::guid, std::vector<sonavel::service_factory_base*>, sonavel::guid_hash> by_class_;
};

}  // namespace player
