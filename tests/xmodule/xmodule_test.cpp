// The host's errors keep their types across a module boundary in both directions, and a loaded
// module's services follow the executable's own in the host's order.
#include <gtest/gtest.h>
#include <windows.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "player/core/HostCore.h"
#include "sdk/core_api.h"
#include "tests/xmodule/xmodule_probe.h"

namespace {

using namespace sonavel;

// The library is never unloaded: exceptions it threw carry its vtables until their catch ends, and its
// static factories may still be referenced by a registry.
class probe_library {
public:
    static const probe_library& get() {
        static probe_library library;
        return library;
    }

    HMODULE module = nullptr;
    decltype(&xmodule_call_through) call_through = nullptr;
    decltype(&xmodule_catch_service_not_found) catch_service_not_found = nullptr;
    decltype(&xmodule_throw_truncation) throw_truncation = nullptr;
    decltype(&xmodule_throw_bad_alloc) throw_bad_alloc = nullptr;
    decltype(&xmodule_service_list_head) service_list_head = nullptr;

private:
    probe_library() {
        wchar_t exe[MAX_PATH];
        DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring path(exe, n);
        path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"xmodule_probe.dll";
        module = LoadLibraryW(path.c_str());
        if (!module) return;
        bind(call_through, "xmodule_call_through");
        bind(catch_service_not_found, "xmodule_catch_service_not_found");
        bind(throw_truncation, "xmodule_throw_truncation");
        bind(throw_bad_alloc, "xmodule_throw_bad_alloc");
        bind(service_list_head, "xmodule_service_list_head");
    }
    template <typename F>
    void bind(F& function, const char* name) {
        function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
};

class CrossModule : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(lib.module, nullptr) << "xmodule_probe.dll did not load beside the test";
        ASSERT_NE(lib.call_through, nullptr);
        ASSERT_NE(lib.catch_service_not_found, nullptr);
        ASSERT_NE(lib.throw_truncation, nullptr);
        ASSERT_NE(lib.throw_bad_alloc, nullptr);
        ASSERT_NE(lib.service_list_head, nullptr);
    }

    const probe_library& lib = probe_library::get();
};

void throw_not_found() { throw exception_service_not_found(); }
void throw_duplicated() { throw exception_service_duplicated(); }
void throw_foreign() { throw std::runtime_error("not the host's"); }
void throw_nothing() {}

TEST_F(CrossModule, LibraryErrorIsCaughtInTheExecutableByItsExactType) {
    try {
        lib.throw_truncation();
        FAIL() << "nothing thrown";
    } catch (const exception_io_data_truncation& e) {
        EXPECT_STREQ(e.what(), "Unsupported format or corrupted file");
    }
}

TEST_F(CrossModule, LibraryErrorIsCaughtInTheExecutableByItsBases) {
    try {
        lib.throw_truncation();
        FAIL() << "nothing thrown";
    } catch (const exception_io_data& e) {
        EXPECT_NE(dynamic_cast<const exception_io_data_truncation*>(&e), nullptr);
    }
    try {
        lib.throw_truncation();
        FAIL() << "nothing thrown";
    } catch (const sonavel::exception& e) {
        EXPECT_STREQ(e.what(), "Unsupported format or corrupted file");
        EXPECT_EQ(message_of(e), "Unsupported format or corrupted file");
    }
    // A handler for another host error must not take it.
    try {
        try {
            lib.throw_truncation();
        } catch (const exception_service_not_found&) {
            FAIL() << "caught by an unrelated type";
        }
    } catch (const exception_io_data_truncation&) {
    }
}

TEST_F(CrossModule, LibraryAllocationFailureKeepsItsTypeAndTheHostsText) {
    try {
        lib.throw_bad_alloc();
        FAIL() << "nothing thrown";
    } catch (const std::bad_alloc& e) {
        EXPECT_EQ(message_of(e), "bad allocation");
    }
    try {
        lib.throw_bad_alloc();
        FAIL() << "nothing thrown";
    } catch (const std::exception& e) {
        EXPECT_EQ(message_of(e), "bad allocation");
    }
}

TEST_F(CrossModule, ExecutableErrorIsCaughtInTheLibraryByItsExactType) {
    char message[64];
    EXPECT_EQ(lib.catch_service_not_found(throw_not_found, message, sizeof message), xmodule::caught_by_exact_type);
    EXPECT_STREQ(message, "Service not found");

    EXPECT_EQ(lib.catch_service_not_found(throw_duplicated, message, sizeof message), xmodule::caught_by_base_only);
    EXPECT_STREQ(message, "Service duplicated");

    EXPECT_EQ(lib.catch_service_not_found(throw_foreign, message, sizeof message), xmodule::caught_as_foreign);
    EXPECT_EQ(lib.catch_service_not_found(throw_nothing, message, sizeof message), xmodule::caught_nothing);
}

TEST_F(CrossModule, ExecutableErrorPassesThroughTheLibraryBackToTheExecutable) {
    try {
        lib.call_through(throw_not_found);
        FAIL() << "nothing came back";
    } catch (const exception_service_not_found& e) {
        EXPECT_STREQ(e.what(), "Service not found");
    }
    try {
        lib.call_through(throw_duplicated);
        FAIL() << "nothing came back";
    } catch (const sonavel::exception& e) {
        EXPECT_NE(dynamic_cast<const exception_service_duplicated*>(&e), nullptr);
        EXPECT_STREQ(e.what(), "Service duplicated");
    }
    EXPECT_NO_THROW(lib.call_through(throw_nothing));
}

template <int N>
class executable_probe : public xmodule::probe_service {
public:
    using interface_t = xmodule::probe_service;
    const char* name() override { return N == 1 ? "executable1" : "executable2"; }
};

service_factory_single_t<executable_probe<1>> g_first;
service_factory_t<executable_probe<2>> g_second;

std::vector<std::string> names_of(service_factory_base* head) {
    std::vector<std::string> names;
    for (auto* f = head; f; f = f->next()) {
        if (f->service_class() != xmodule::probe_service::class_guid) continue;
        names.push_back(service_query_t<xmodule::probe_service>(f->instance_create())->name());
    }
    return names;
}

TEST_F(CrossModule, EachModuleKeepsItsOwnServiceList) {
    EXPECT_NE(lib.service_list_head(), service_factory_base::list_head());
    EXPECT_EQ(names_of(service_factory_base::list_head()), (std::vector<std::string>{"executable2", "executable1"}));
    EXPECT_EQ(names_of(lib.service_list_head()), (std::vector<std::string>{"library2", "library1"}));
}

TEST_F(CrossModule, HostEnumeratesItsOwnServicesThenTheLibrarysEachFromItsHead) {
    player::HostState state;
    state.registry.add_module(service_factory_base::list_head());
    state.registry.add_module(lib.service_list_head());
    player::ModuleCore core(state, "C:\\players\\sonavel\\host.exe");
    set_core(&core);

    std::vector<std::string> names;
    for (auto& probe : service_list_t<xmodule::probe_service>()) names.push_back(probe->name());
    EXPECT_EQ(names, (std::vector<std::string>{"executable2", "executable1", "library2", "library1"}));
    try {
        standard_api_create_t<xmodule::probe_service>();
        ADD_FAILURE() << "four implementations are registered";
    } catch (const exception_service_duplicated&) {
    }
    set_core(nullptr);
}

}  // namespace
