#include "sdk/service_factory.h"

namespace sonavel {
namespace {
// Function-local so that factories of any translation unit may register during static initialisation.
service_factory_base*& head() noexcept {
    static service_factory_base* h = nullptr;
    return h;
}
}  // namespace

service_factory_base::service_factory_base(const guid& service_class) noexcept : class_(service_class), next_(head()) {
    head() = this;
}

service_factory_base* service_factory_base::list_head() noexcept { return head(); }

}  // namespace sonavel
