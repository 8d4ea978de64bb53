#pragma once
// The host's errors. Host and components throw and catch these across module boundaries, so every
// module must use the shared C++ runtime. The component defines no errors of its own.
#include <exception>
#include <new>
#include <string>

namespace sonavel {

// Root of the host's errors; what() is the user-facing message.
class exception : public std::exception {
public:
    explicit exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

#define SONAVEL_DECLARE_EXCEPTION(name, base, text) \
    class name : public base {                      \
    public:                                         \
        name() : base(text) {}                      \
                                                    \
    protected:                                      \
        using base::base;                           \
    };

SONAVEL_DECLARE_EXCEPTION(exception_service_not_found, exception, "Service not found")
SONAVEL_DECLARE_EXCEPTION(exception_service_duplicated, exception, "Service duplicated")
SONAVEL_DECLARE_EXCEPTION(exception_service_extension_not_found, exception, "Service extension not found")
SONAVEL_DECLARE_EXCEPTION(exception_not_implemented, exception, "Feature not implemented")
SONAVEL_DECLARE_EXCEPTION(exception_overflow, exception, "Overflow")
SONAVEL_DECLARE_EXCEPTION(exception_bug_check, exception, "Bug check")
SONAVEL_DECLARE_EXCEPTION(exception_dynamic_assert, exception, "dynamic_assert failure")
SONAVEL_DECLARE_EXCEPTION(exception_aborted, exception, "User abort")
// Data-format error: a stream or record does not hold what its reader expects.
SONAVEL_DECLARE_EXCEPTION(exception_io_data, exception, "Unsupported format or corrupted file")
// The stream error: an exact read met the end of its stream.
SONAVEL_DECLARE_EXCEPTION(exception_io_data_truncation, exception_io_data, "Unsupported format or corrupted file")

// The system refused or failed an operation on a file; each cause has its own message.
SONAVEL_DECLARE_EXCEPTION(exception_io, exception, "I/O error")
SONAVEL_DECLARE_EXCEPTION(exception_io_not_found, exception_io, "File not found")
SONAVEL_DECLARE_EXCEPTION(exception_io_denied, exception_io, "Access denied")
SONAVEL_DECLARE_EXCEPTION(exception_io_sharing_violation, exception_io, "The file is in use by another program")
SONAVEL_DECLARE_EXCEPTION(exception_io_device_full, exception_io, "The disk is full")

#undef SONAVEL_DECLARE_EXCEPTION

// libstdc++ says "std::bad_alloc"; the host's text for an allocation failure is "bad allocation".
inline constexpr const char* bad_allocation_text = "bad allocation";

// The host's message for any exception: what() of the host's errors, "bad allocation" for allocation
// failures, what() of anything else.
inline std::string message_of(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr) return bad_allocation_text;
    return e.what();
}

inline void dynamic_assert(bool condition) {
    if (!condition) throw exception_dynamic_assert();
}

}  // namespace sonavel
