// The probe library: a stand-in component that throws the host's errors at its caller and catches the
// ones its caller throws.
#include "tests/xmodule/xmodule_probe.h"

#include <cstring>
#include <new>

namespace {

template <int N>
class library_probe : public xmodule::probe_service {
public:
    using interface_t = xmodule::probe_service;
    const char* name() override { return N == 1 ? "library1" : "library2"; }
};

sonavel::service_factory_single_t<library_probe<1>> g_first;
sonavel::service_factory_single_t<library_probe<2>> g_second;

void copy_message(const char* text, char* message, std::size_t size) {
    if (!message || size == 0) return;
    std::strncpy(message, text, size - 1);
    message[size - 1] = '\0';
}

}  // namespace

extern "C" {

void xmodule_call_through(xmodule_callback callback) { callback(); }

int xmodule_catch_service_not_found(xmodule_callback callback, char* message, std::size_t size) {
    copy_message("", message, size);
    try {
        callback();
    } catch (const sonavel::exception_service_not_found& e) {
        copy_message(e.what(), message, size);
        return xmodule::caught_by_exact_type;
    } catch (const sonavel::exception& e) {
        copy_message(e.what(), message, size);
        return xmodule::caught_by_base_only;
    } catch (...) {
        return xmodule::caught_as_foreign;
    }
    return xmodule::caught_nothing;
}

void xmodule_throw_truncation() { throw sonavel::exception_io_data_truncation(); }

void xmodule_throw_bad_alloc() { throw std::bad_alloc(); }

sonavel::service_factory_base* xmodule_service_list_head() { return sonavel::service_factory_base::list_head(); }
}
