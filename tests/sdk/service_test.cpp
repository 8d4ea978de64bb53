// Service registration, lookup and its errors, reference counting and extension queries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/core/HostCore.h"
#include "sdk/core_api.h"

namespace {

using namespace sonavel;

class probe_service : public service_base {
public:
    static constexpr guid class_guid = {0x6E3A1C52, 0x0A41, 0x4E0B, {0x9C, 0x11, 0x52, 0x7D, 0x3A, 0x90, 0x01, 0x01}};
    using parent_t = service_base;
    virtual std::string name() = 0;
};

class probe_extension : public probe_service {
public:
    static constexpr guid class_guid = {0x6E3A1C52, 0x0A41, 0x4E0B, {0x9C, 0x11, 0x52, 0x7D, 0x3A, 0x90, 0x01, 0x02}};
    using parent_t = probe_service;
    virtual int extra() = 0;
};

class lonely_service : public service_base {
public:
    static constexpr guid class_guid = {0x6E3A1C52, 0x0A41, 0x4E0B, {0x9C, 0x11, 0x52, 0x7D, 0x3A, 0x90, 0x01, 0x03}};
    using parent_t = service_base;
};

class other_interface : public service_base {
public:
    static constexpr guid class_guid = {0x6E3A1C52, 0x0A41, 0x4E0B, {0x9C, 0x11, 0x52, 0x7D, 0x3A, 0x90, 0x01, 0x04}};
    using parent_t = service_base;
    virtual int other() = 0;
};

template <int N>
class named_probe : public probe_service {
public:
    using interface_t = probe_service;
    std::string name() override { return "probe" + std::to_string(N); }
};

class extended_probe : public probe_extension, public other_interface {
public:
    using interface_t = probe_extension;
    using extra_interfaces_t = interface_list<other_interface>;
    static inline int live = 0;
    extended_probe() { ++live; }
    ~extended_probe() { --live; }
    std::string name() override { return "extended"; }
    int extra() override { return 42; }
    int other() override { return 7; }
};

// Registered in this order during static initialisation: the list reads backwards.
service_factory_single_t<named_probe<1>> g_first;
service_factory_single_t<named_probe<2>> g_second;
service_factory_t<extended_probe> g_third;

class ServiceLookup : public ::testing::Test {
protected:
    void SetUp() override {
        state_.registry.add_module(service_factory_base::list_head());
        set_core(&core_);
    }
    void TearDown() override { set_core(nullptr); }

    player::HostState state_;
    player::ModuleCore core_{state_, "C:\\players\\sonavel\\host.exe"};
};

std::vector<std::string> enumerated_names() {
    std::vector<std::string> names;
    for (auto& p : service_list_t<probe_service>()) names.push_back(p->name());
    return names;
}

TEST_F(ServiceLookup, ModuleListReadsFromTheLastRegisteredFactory) {
    std::vector<std::string> names;
    for (auto* f = service_factory_base::list_head(); f; f = f->next()) {
        if (f->service_class() != probe_service::class_guid) continue;
        auto obj = service_query_t<probe_service>(f->instance_create());
        names.push_back(obj->name());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"extended", "probe2", "probe1"}));
    EXPECT_EQ(enumerated_names(), names);
}

TEST(ServiceRegistryOrder, ModulesFollowEachOtherInLoadOrder) {
    // Two "modules": the list from g_second on, then the list from g_third on (which repeats them, as a
    // second module with its own three factories would add three more).
    player::HostState state;
    state.registry.add_module(&g_second);
    state.registry.add_module(&g_third);
    player::ModuleCore core(state, "host.exe");
    set_core(&core);
    EXPECT_EQ(enumerated_names(), (std::vector<std::string>{"probe2", "probe1", "extended", "probe2", "probe1"}));
    EXPECT_THROW(state.registry.create(probe_service::class_guid, 5), exception_service_not_found);
    set_core(nullptr);
}

TEST_F(ServiceLookup, SingleLookupRaisesNotFoundAndDuplicated) {
    try {
        standard_api_create_t<lonely_service>();
        FAIL() << "no lonely_service is registered";
    } catch (const exception_service_not_found& e) {
        EXPECT_STREQ(e.what(), "Service not found");
    }
    try {
        standard_api_create_t<probe_service>();
        FAIL() << "three probe services are registered";
    } catch (const exception_service_duplicated& e) {
        EXPECT_STREQ(e.what(), "Service duplicated");
    }
    EXPECT_FALSE(standard_api_try_create_t<lonely_service>().is_valid());
    EXPECT_THROW(standard_api_try_create_t<probe_service>(), exception_service_duplicated);
}

TEST_F(ServiceLookup, ExtensionQueryFindsTheWholeChainOrRaises) {
    auto all = service_list_t<probe_service>();
    ASSERT_EQ(all.size(), 3u);
    auto ext = service_query_t<probe_extension>(all[0]);
    EXPECT_EQ(ext->extra(), 42);
    EXPECT_EQ(service_query_t<other_interface>(all[0])->other(), 7);
    try {
        service_query_t<probe_extension>(all[1]);
        FAIL() << "probe2 is no extension";
    } catch (const exception_service_extension_not_found& e) {
        EXPECT_STREQ(e.what(), "Service extension not found");
    }
    EXPECT_FALSE(service_try_query_t<lonely_service>(all[0]).is_valid());
    // Enumerating an extension skips implementations without it.
    EXPECT_EQ(service_list_t<probe_extension>().size(), 1u);
}

TEST_F(ServiceLookup, HeapObjectsDieWithTheirLastReferenceAndSingletonsNever) {
    {
        auto all = service_list_t<probe_service>();
        EXPECT_EQ(extended_probe::live, 1);
        auto copy = all[0];
        all.clear();
        EXPECT_EQ(extended_probe::live, 1);
    }
    EXPECT_EQ(extended_probe::live, 0);
    service_ptr_t<service_base> single = g_first.instance_create();
    EXPECT_EQ(single->service_release(), 1);
    EXPECT_EQ(single->service_release(), 1);
    EXPECT_EQ(service_query_t<probe_service>(single)->name(), "probe1");
}

TEST(ServiceLookupWithoutHost, RaisesNotFound) {
    set_core(nullptr);
    EXPECT_THROW(standard_api_create_t<probe_service>(), exception_service_not_found);
}

TEST(ModuleCoreNames, FileNameFollowsTheLastSeparator) {
    EXPECT_EQ(player::ModuleCore::file_name_of("C:\\a\\b/quennet.dll"), "quennet.dll");
    EXPECT_EQ(player::ModuleCore::file_name_of("zip|inner.dll"), "inner.dll");
    EXPECT_EQ(player::ModuleCore::file_name_of("C:quennet.dll"), "quennet.dll");
    EXPECT_EQ(player::ModuleCore::file_name_of("quennet.dll"), "quennet.dll");
}

}  // namespace
