#pragma once
// The service model shared by host and components.
//
// Every interface derives from service_base and declares, right under its name, its 16-byte id
// (`class_guid`) and the interface it extends (`parent_t`). The topmost interface below service_base is
// the service class under which implementations are registered and looked up; interfaces below it are
// extensions reached by service_query_t.
//
// Objects are reference counted. Implementations are wrapped in service_impl_t (heap object, deleted at
// count zero) or service_impl_single_t (static singleton that ignores its count).
#include <atomic>
#include <cstddef>
#include <type_traits>
#include <utility>

#include "sdk/errors.h"
#include "sdk/guid.h"

namespace sonavel {

class service_base {
public:
    using parent_t = void;

    virtual int service_add_ref() noexcept = 0;
    virtual int service_release() noexcept = 0;
    // Returns the object as the interface `iid`, with one reference added, or nullptr when it does not
    // implement it.
    virtual service_base* service_query(const guid& iid) noexcept = 0;

protected:
    service_base() = default;
    service_base(const service_base&) = default;
    service_base& operator=(const service_base&) = default;
    virtual ~service_base() = default;
};

template <typename T>
class service_ptr_t {
public:
    service_ptr_t() noexcept = default;
    service_ptr_t(std::nullptr_t) noexcept {}
    // Takes a new reference.
    service_ptr_t(T* p) noexcept : p_(p) {
        if (p_) p_->service_add_ref();
    }
    service_ptr_t(const service_ptr_t& o) noexcept : service_ptr_t(o.p_) {}
    service_ptr_t(service_ptr_t&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    service_ptr_t(const service_ptr_t<U>& o) noexcept : service_ptr_t(static_cast<T*>(o.get_ptr())) {}
    template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    service_ptr_t(service_ptr_t<U>&& o) noexcept : p_(o.detach()) {}
    ~service_ptr_t() { release(); }

    service_ptr_t& operator=(service_ptr_t o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }

    // Adopts a pointer that already carries a reference for us.
    static service_ptr_t attach(T* p) noexcept {
        service_ptr_t r;
        r.p_ = p;
        return r;
    }
    T* detach() noexcept { return std::exchange(p_, nullptr); }
    void release() noexcept {
        if (T* p = std::exchange(p_, nullptr)) p->service_release();
    }

    T* get_ptr() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    T& operator*() const noexcept { return *p_; }
    bool is_valid() const noexcept { return p_ != nullptr; }
    bool is_empty() const noexcept { return p_ == nullptr; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    friend bool operator==(const service_ptr_t& a, const service_ptr_t& b) noexcept { return a.p_ == b.p_; }
    friend bool operator!=(const service_ptr_t& a, const service_ptr_t& b) noexcept { return a.p_ != b.p_; }
    friend bool operator<(const service_ptr_t& a, const service_ptr_t& b) noexcept { return a.p_ < b.p_; }

private:
    T* p_ = nullptr;
};

namespace detail {

// The service class of an interface: the topmost interface below service_base.
template <typename T, typename P = typename T::parent_t>
struct service_class_of {
    using type = typename service_class_of<P>::type;
};
template <typename T>
struct service_class_of<T, service_base> {
    using type = T;
};

// Walks the interface chain of T looking for `iid`; returns the matching subobject as service_base*.
template <typename T>
service_base* query_chain(T* self, const guid& iid) noexcept {
    if (iid == T::class_guid) return static_cast<service_base*>(self);
    if constexpr (!std::is_same_v<typename T::parent_t, service_base>) {
        return query_chain<typename T::parent_t>(self, iid);
    } else {
        return nullptr;
    }
}

// Classes may list further interfaces they implement: `using extra_interfaces_t = interface_list<A, B>;`
template <typename... I>
struct interface_list {};

template <typename C, typename = void>
struct extra_interfaces {
    using type = interface_list<>;
};
template <typename C>
struct extra_interfaces<C, std::void_t<typename C::extra_interfaces_t>> {
    using type = typename C::extra_interfaces_t;
};

template <typename C, typename... I>
service_base* query_extras(C* self, const guid& iid, interface_list<I...>) noexcept {
    service_base* found = nullptr;
    ((found = found ? found : query_chain<I>(static_cast<I*>(self), iid)), ...);
    return found;
}

template <typename C>
service_base* query_all(C* self, const guid& iid) noexcept {
    if (service_base* p = query_chain<typename C::interface_t>(static_cast<typename C::interface_t*>(self), iid)) {
        return p;
    }
    return query_extras(self, iid, typename extra_interfaces<C>::type{});
}

}  // namespace detail

template <typename... I>
using interface_list = detail::interface_list<I...>;

// Heap implementation: `service_impl_t<Impl>::create(args...)`. Impl names its main interface with
// `using interface_t = ...;` and optional further ones with `using extra_interfaces_t = interface_list<...>`.
template <typename Impl>
class service_impl_t final : public Impl {
public:
    template <typename... A>
    static service_ptr_t<typename Impl::interface_t> create(A&&... args) {
        auto* obj = new service_impl_t(std::forward<A>(args)...);
        return service_ptr_t<typename Impl::interface_t>::attach(obj);
    }
    template <typename... A>
    static service_ptr_t<Impl> create_object(A&&... args) {
        return service_ptr_t<Impl>::attach(new service_impl_t(std::forward<A>(args)...));
    }

    int service_add_ref() noexcept override { return ++count_; }
    int service_release() noexcept override {
        int left = --count_;
        if (left == 0) delete this;
        return left;
    }
    service_base* service_query(const guid& iid) noexcept override {
        service_base* p = detail::query_all<Impl>(this, iid);
        if (p) p->service_add_ref();
        return p;
    }

private:
    template <typename... A>
    explicit service_impl_t(A&&... args) : Impl(std::forward<A>(args)...) {}
    std::atomic<int> count_{1};
};

// Static singleton: reference counting does nothing; the object lives as long as its module.
template <typename Impl>
class service_impl_single_t final : public Impl {
public:
    template <typename... A>
    explicit service_impl_single_t(A&&... args) : Impl(std::forward<A>(args)...) {}
    int service_add_ref() noexcept override { return 1; }
    int service_release() noexcept override { return 1; }
    service_base* service_query(const guid& iid) noexcept override { return detail::query_all<Impl>(this, iid); }
};

// Extension query. Throws "Service extension not found" when the object lacks the interface.
template <typename T, typename S>
service_ptr_t<T> service_query_t(const service_ptr_t<S>& obj) {
    if (obj.is_valid()) {
        if (service_base* p = obj->service_query(T::class_guid)) {
            return service_ptr_t<T>::attach(static_cast<T*>(p));
        }
    }
    throw exception_service_extension_not_found();
}

// Like service_query_t but answers an empty pointer instead of throwing.
template <typename T, typename S>
service_ptr_t<T> service_try_query_t(const service_ptr_t<S>& obj) noexcept {
    if (obj.is_valid()) {
        if (service_base* p = obj->service_query(T::class_guid)) {
            return service_ptr_t<T>::attach(static_cast<T*>(p));
        }
    }
    return {};
}

}  // namespace sonavel
