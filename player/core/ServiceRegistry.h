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
    // Appends one object the host owns (its engines), handed out as it is for every request.
    void add_instance(const sonavel::guid& service_class, sonavel::service_ptr_t<sonavel::service_base> instance);

    // Drops every entry (the host's engines go before the registry does).
    void clear() { by_class_.clear(); }

    std::size_t count(const sonavel::guid& service_class) const;
    // Throws "Service not found" for an index past the end.
    sonavel::service_ptr_t<sonavel::service_base> create(const sonavel::guid& service_class, std::size_t index) const;

private:
    struct entry {
        sonavel::service_factory_base* factory = nullptr;
        sonavel::service_ptr_t<sonavel::service_base> instance;
    };
    const std::vector<entry>& entries(const sonavel::guid& service_class) const;

    std::unordered_map<sonavel::guid, std::vector<entry>, sonavel::guid_hash> by_class_;
};

}  // namespace player
