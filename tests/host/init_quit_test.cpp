// Start-up: a missing or too old panel host is reported through the host's popup message, titled with
// the component's file name; a sufficient one gets no message.
#include <gtest/gtest.h>

#include <string>

#include "host/InitQuit.h"
#include "sdk/console.h"
#include "tests/host/component_host.h"

namespace {

const char* const too_old_text =
    "You have not installed the correct version of Panoplex.\n"
    "Panoplex version 0.3.8.8 or higher is required\n"
    "\n"
    "quennet.dll will not work without it.";

class RegistrationStartup : public registration_test::ComponentHost {
protected:
    void start_component() {
        load_component();
        sonavel::standard_api_create_t<sonavel::initquit>()->on_init();
    }
};

TEST_F(RegistrationStartup, SufficientPanelHostShowsNoMessage) {
    host.panel_host_version.set("Panoplex", "0.3.8.8");
    start_component();
    EXPECT_TRUE(host.popups.shown().empty());
}

TEST_F(RegistrationStartup, TooOldPanelHostShowsTheMessageTitledWithTheFileName) {
    host.panel_host_version.set("Panoplex", "0.3.8.7");
    start_component();
    ASSERT_EQ(host.popups.shown().size(), 1u);
    const auto& message = host.popups.shown()[0];
    EXPECT_EQ(message.text, too_old_text);
    EXPECT_EQ(message.title, "quennet.dll");
    EXPECT_EQ(message.icon, 0);
}

TEST_F(RegistrationStartup, MissingPanelHostShowsTheSameMessage) {
    host.panel_host_version.set("Panoplex Lite", "9");
    start_component();
    ASSERT_EQ(host.popups.shown().size(), 1u);
    EXPECT_EQ(host.popups.shown()[0].text, too_old_text);
}

TEST_F(RegistrationStartup, UndecidedPanelHostAloneShowsTheMessage) {
    host.panel_host_version.set("Panoplex", "0.3.8");
    start_component();
    EXPECT_EQ(host.popups.shown().size(), 1u);
}

TEST_F(RegistrationStartup, MessageNamesTheFileTheHostLoaded) {
    quennet::ComponentClient::instance().set_library_path("D:\\plugins\\quennet-old.dll", "quennet-old.dll");
    host.panel_host_version.set("Panoplex", "0.2");
    start_component();
    ASSERT_EQ(host.popups.shown().size(), 1u);
    EXPECT_EQ(host.popups.shown()[0].text, quennet::missing_panel_host_message("quennet-old.dll"));
    EXPECT_NE(host.popups.shown()[0].text.find("\n\nquennet-old.dll will not work without it."), std::string::npos);
    EXPECT_EQ(host.popups.shown()[0].title, "quennet-old.dll");
}

TEST_F(RegistrationStartup, ShutdownDoesNothing) {
    host.panel_host_version.set("Panoplex", "0.1");
    load_component();
    sonavel::standard_api_create_t<sonavel::initquit>()->on_quit();
    EXPECT_TRUE(host.popups.shown().empty());
}

}  // namespace
