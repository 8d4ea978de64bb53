#pragma once
// The core interface: the one object the host hands a component at its entry point. Everything else is
// reached through service lookup by class GUID.
#include <cstddef>
#include <vector>

#include "sdk/service.h"

struct HWND__;
struct HINSTANCE__;

namespace sonavel {

// Implemented by the host, one per loaded module; called on the main thread unless a service says
// otherwise (enumeration and lookup are safe from any thread once start-up is over).
class core_api {
public:
    // Number of registered implementations of a service class, in the host's order: the host's own
    // services, then each component's in load order, each module's list from its head.
    virtual std::size_t service_count(const guid& service_class) = 0;
    // The index-th implementation (a new object, or a static one).
    virtual service_ptr_t<service_base> service_create(const guid& service_class, std::size_t index) = 0;

    virtual HWND__* get_main_window() = 0;
    virtual bool is_initializing() = 0;
    virtual bool is_shutting_down() = 0;
    virtual bool are_services_available() = 0;
    // Full path and file name of the module this core object was handed to.
    virtual const char* get_module_path() = 0;
    virtual const char* get_module_file_name() = 0;

protected:
    ~core_api() = default;
};

// The core interface of this module: set by the entry point in a component, by the host in its own
// executable. Null until then.
core_api* core() noexcept;
void set_core(core_api* api) noexcept;

// Enumerates all implementations of T's service class that implement T, in the host's order.
template <typename T>
class service_enum_t {
public:
    service_enum_t() {
        core_api* api = core();
        if (!api) throw exception_service_not_found();
        const guid& cls = detail::service_class_of<T>::type::class_guid;
        count_ = api->service_count(cls);
    }
    // Next implementation; false at the end.
    bool next(service_ptr_t<T>& out) {
        const guid& cls = detail::service_class_of<T>::type::class_guid;
        while (index_ < count_) {
            service_ptr_t<service_base> obj = core()->service_create(cls, index_++);
            if (service_base* p = obj.is_valid() ? obj->service_query(T::class_guid) : nullptr) {
                out = service_ptr_t<T>::attach(static_cast<T*>(p));
                return true;
            }
        }
        return false;
    }

private:
    std::size_t count_ = 0;
    std::size_t index_ = 0;
};

// All implementations as a list.
template <typename T>
std::vector<service_ptr_t<T>> service_list_t() {
    std::vector<service_ptr_t<T>> all;
    service_enum_t<T> e;
    service_ptr_t<T> p;
    while (e.next(p)) all.push_back(p);
    return all;
}

// Exactly one registered implementation of T's service class: "Service not found" when there is none,
// "Service duplicated" when there are more; "Service extension not found" when T is an extension the
// one implementation lacks.
template <typename T>
service_ptr_t<T> standard_api_create_t() {
    core_api* api = core();
    if (!api) throw exception_service_not_found();
    const guid& cls = detail::service_class_of<T>::type::class_guid;
    std::size_t n = api->service_count(cls);
    if (n == 0) throw exception_service_not_found();
    if (n > 1) throw exception_service_duplicated();
    return service_query_t<T>(api->service_create(cls, 0));
}

// Like standard_api_create_t, but an absent service gives an empty pointer (duplicates still throw).
template <typename T>
service_ptr_t<T> standard_api_try_create_t() {
    core_api* api = core();
    if (!api) return {};
    const guid& cls = detail::service_class_of<T>::type::class_guid;
    std::size_t n = api->service_count(cls);
    if (n == 0) return {};
    if (n > 1) throw exception_service_duplicated();
    return service_query_t<T>(api->service_create(cls, 0));
}

}  // namespace sonavel
