// The component's service list as the host walks it, and what its factories hand out.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <string>
#include <vector>

#include "host/Identity.h"
#include "sdk/advconfig.h"
#include "sdk/component.h"
#include "sdk/contextmenu.h"
#include "sdk/metadb.h"
#include "sdk/playlist.h"
#include "ui/PopupPanelHost.h"
#include "tests/host/component_host.h"

namespace {

using sonavel::service_base;
using sonavel::service_ptr_t;

// What one factory registers, as "service class: detail".
std::string describe(sonavel::service_factory_base& factory) {
    service_ptr_t<service_base> obj = factory.instance_create();
    const sonavel::guid& cls = factory.service_class();
    if (cls == sonavel::initquit::class_guid) return "initquit";
    if (cls == dockwork::window_host::class_guid) {
        auto host = sonavel::service_query_t<dockwork::window_host>(obj);
        return host->type_guid() == quennet::PopupPanelHost::host_type ? "window_host: popup" : "window_host: other";
    }
    if (cls == dockwork::window::class_guid) {
        if (!obj.is_valid()) return "window: not built";
        std::string name;
        sonavel::service_query_t<dockwork::window>(obj)->get_name(name);
        return "window: " + name;
    }
    if (cls == sonavel::contextmenu_item::class_guid) {
        std::string name;
        sonavel::service_query_t<sonavel::contextmenu_item>(obj)->get_item_name(0, name);
        return "contextmenu_item: " + name;
    }
    if (cls == sonavel::playlist_callback_single_static::class_guid) return "playlist_callback_single_static";
    if (cls == sonavel::metadb_io_callback::class_guid) return "metadb_io_callback";
    if (cls == sonavel::component_installation_validator::class_guid) return "component_installation_validator";
    if (cls == sonavel::componentversion::class_guid) {
        std::string name;
        sonavel::service_query_t<sonavel::componentversion>(obj)->get_component_name(name);
        return "componentversion: " + name;
    }
    if (cls == sonavel::advconfig_entry::class_guid) {
        std::string name;
        sonavel::service_query_t<sonavel::advconfig_entry>(obj)->get_name(name);
        if (sonavel::service_try_query_t<sonavel::advconfig_branch>(obj)) return "branch: " + name;
        if (sonavel::service_try_query_t<sonavel::advconfig_entry_checkbox>(obj)) return "checkbox: " + name;
        if (sonavel::service_try_query_t<sonavel::advconfig_entry_string>(obj)) return "text: " + name;
        return "advconfig_entry: " + name;
    }
    return "unknown service class " + sonavel::to_string(cls);
}

class RegistrationServiceList : public registration_test::ComponentHost {};

TEST_F(RegistrationServiceList, HostWalksFromTheLastRegisteredFactory) {
    load_component();
    std::vector<std::string> services;
    for (auto* f = quennet::ComponentClient::instance().get_service_list(); f; f = f->next())
        services.push_back(describe(*f));
    EXPECT_EQ(services, (std::vector<std::string>{
                            "window_host: popup",
#ifdef _WIN32
                            "window: Varnel Panel",
#endif
                            "contextmenu_item: Tag in varnel panel",
                            "initquit",
                            "playlist_callback_single_static",
                            "metadb_io_callback",
                            "component_installation_validator",
                            "componentversion: Varnel Panel",
                            "checkbox: Enable console output",
                            "text: Warn before updating of more than N items (0=off)",
                            "branch: Varnel panel",
                        }));
}

TEST_F(RegistrationServiceList, FactoriesHandOutOneStaticInstanceButPanelsAndPopupHostsNewOnes) {
    load_component();
    for (auto* f = quennet::ComponentClient::instance().get_service_list(); f; f = f->next()) {
        if (f->service_class() == dockwork::window::class_guid ||
            f->service_class() == sonavel::contextmenu_item::class_guid) {
            service_ptr_t<service_base> first = f->instance_create();
            service_ptr_t<service_base> second = f->instance_create();
            ASSERT_TRUE(first.is_valid() && second.is_valid());
            EXPECT_NE(first.get_ptr(), second.get_ptr()) << describe(*f) << ": each request makes a new object";
            continue;
        }
        if (f->service_class() == dockwork::window_host::class_guid) {
            service_ptr_t<service_base> first = f->instance_create();
            service_ptr_t<service_base> second = f->instance_create();
            EXPECT_NE(first.get_ptr(), second.get_ptr()) << "each request makes a new popup host";
            auto host = sonavel::service_query_t<dockwork::window_host>(first);
            // Hosts made by the factory serve no popup window: none of their answers needs one.
            EXPECT_FALSE(host->window_shown(nullptr));
            EXPECT_FALSE(host->visibility_changeable(nullptr, true));
            EXPECT_TRUE(host->change_visibility(nullptr, false));
            EXPECT_EQ(host->resize_support(nullptr), 0u);
            EXPECT_FALSE(host->resize_request(nullptr, 3, 10, 10));
            EXPECT_FALSE(host->host_option());
            service_ptr_t<dockwork::status_text_override> status;
            EXPECT_FALSE(host->status_text_override(status));
#ifdef _WIN32
            HWND window = CreateWindowExW(0, L"STATIC", L"popup", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                          nullptr, nullptr, nullptr);
            EXPECT_TRUE(host->window_shown(window));
            ShowWindow(window, SW_HIDE);
            EXPECT_FALSE(host->window_shown(window));
            DestroyWindow(window);
#endif
            continue;
        }
        service_ptr_t<service_base> first = f->instance_create();
        service_ptr_t<service_base> second = f->instance_create();
        EXPECT_EQ(first.get_ptr(), second.get_ptr()) << describe(*f);
        // Counting does nothing on a static instance.
        EXPECT_EQ(first->service_add_ref(), 1) << describe(*f);
        EXPECT_EQ(first->service_release(), 1) << describe(*f);
    }
}

TEST_F(RegistrationServiceList, ComponentVersionTellsTheComponentsIdentity) {
    load_component();
    // The host's own panel host comes first; the component's entry is the one with its name.
    service_ptr_t<sonavel::componentversion> ours;
    for (auto& v : sonavel::service_list_t<sonavel::componentversion>()) {
        std::string name;
        v->get_component_name(name);
        if (name == "Varnel Panel") ours = v;
    }
    ASSERT_TRUE(ours);
    std::string text;
    ours->get_file_name(text);
    EXPECT_EQ(text, "quennet.dll");
    ours->get_component_version(text);
    EXPECT_EQ(text, "1.2.10");
    ours->get_about_message(text);
    EXPECT_EQ(text.rfind("Panoplex Panel for tagging music\n", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_EQ(text.back(), '\n');
}

TEST_F(RegistrationServiceList, ClientObjectAnswersAsTheHostExpects) {
    auto& client = quennet::ComponentClient::instance();
    EXPECT_EQ(client.get_version(), 77u);
    EXPECT_FALSE(client.is_debug());
    EXPECT_EQ(client.get_service_list(), sonavel::service_factory_base::list_head());
}

}  // namespace
