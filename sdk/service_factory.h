#pragma once
// Service registration. Each module (the host executable, each component library) keeps one list of
// service factories; a factory constructed during static initialisation links itself at the head of its
// module's list, so the list reads from the last one registered. A component hands its list head to the
// host through its client object; the host enumerates its own list and then each component's.
#include "sdk/service.h"

namespace sonavel {

class service_factory_base {
public:
    service_factory_base(const service_factory_base&) = delete;
    service_factory_base& operator=(const service_factory_base&) = delete;

    const guid& service_class() const noexcept { return class_; }
    service_factory_base* next() const noexcept { return next_; }
    // A new object, or the static instance for single-instance factories.
    virtual service_ptr_t<service_base> instance_create() = 0;

    // Head of this module's list.
    static service_factory_base* list_head() noexcept;

protected:
    explicit service_factory_base(const guid& service_class) noexcept;
    ~service_factory_base() = default;

private:
    guid class_;
    service_factory_base* next_;
};

// Creates a new Impl for every request.
template <typename Impl>
class service_factory_t final : public service_factory_base {
public:
    using interface_t = typename Impl::interface_t;
    service_factory_t() noexcept : service_factory_base(detail::service_class_of<interface_t>::type::class_guid) {}
    service_ptr_t<service_base> instance_create() override {
        service_ptr_t<interface_t> obj = service_impl_t<Impl>::create();
        return service_ptr_t<service_base>(static_cast<service_base*>(obj.get_ptr()));
    }
};

// Hands out one static Impl whose reference counting does nothing.
template <typename Impl>
class service_factory_single_t final : public service_factory_base {
public:
    using interface_t = typename Impl::interface_t;
    template <typename... A>
    explicit service_factory_single_t(A&&... args)
        : service_factory_base(detail::service_class_of<interface_t>::type::class_guid),
          instance_(std::forward<A>(args)...) {}
    service_ptr_t<service_base> instance_create() override {
        return service_ptr_t<service_base>(static_cast<service_base*>(static_cast<interface_t*>(&instance_)));
    }
    Impl& get_static_instance() noexcept { return instance_; }

private:
    service_impl_single_t<Impl> instance_;
};

}  // namespace sonavel
