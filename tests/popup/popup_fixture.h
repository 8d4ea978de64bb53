#pragma once
// Popup windows over the stand-in host with its windows, with the component's services registered (and
// the fake panel types beside them). Every test ends with no popup window and no popup object left.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "host/ComponentClient.h"
#include "host/Registration.h"
#include "player/win/WinHost.h"
#include "sdk/stream.h"
#include "tests/harness/message_box.h"
#include "tests/harness/pump.h"
#include "tests/popup/fake_panel.h"
#include "ui/PopupPanel.h"
#include "ui/PopupWindows.h"

namespace popup_test {

inline quennet::PopupConfig config_named(const std::string& name, const sonavel::guid& panel = FakePanel::type) {
    quennet::PopupConfig config;
    config.name = name;
    config.panel_guid = panel;
    return config;
}

inline FakePanel* fake_panel_of(const quennet::PopupPanelBase& popup) {
    return dynamic_cast<FakePanel*>(popup.panel().get_ptr());
}

class PopupWindows : public ::testing::Test {
protected:
    void SetUp() override {
        auto& client = quennet::ComponentClient::instance();
        client.set_library_path("C:\\Program Files\\Sonavel\\components\\quennet.dll", "quennet.dll");
        host_.register_services({client.get_service_list()});
        host_.engines().start();
        host_.engines().console.set_mirror(false);
        client.services_init(true);
        FakePanel::ended_inside_own_procedure = false;
    }
    void TearDown() override {
        while (!quennet::popup_windows.empty()) quennet::popup_windows[0].destroy();
        EXPECT_TRUE(harness::pump_until([] { return quennet::popup_windows.held() == 0; }))
            << "popup objects still held after their windows were destroyed";
        EXPECT_EQ(FakePanel::live, 0) << "panels still alive with no popup window";
        EXPECT_FALSE(FakePanel::ended_inside_own_procedure);
        set_stored({});
        quennet::ComponentClient::instance().services_init(false);
    }

    player::HostEngines& engines() { return host_.engines(); }
    quennet::PopupPanel& popup(std::size_t position) { return quennet::popup_windows[position]; }
    HWND frame(std::size_t position) { return popup(position).window(); }

    // The stored popup list, as the host's configuration would bring it.
    static void set_stored(const std::vector<quennet::PopupConfig>& configs) {
        sonavel::stream_writer_buffer writer;
        sonavel::abort_callback_dummy abort;
        quennet::write_popup_configs(writer, configs, abort);
        sonavel::stream_reader_memblock reader(writer.data());
        quennet::popup_configs.set_data_raw(reader, writer.data().size(), abort);
    }
    // What the host's next save stores.
    static std::vector<quennet::PopupConfig> saved() {
        sonavel::stream_writer_buffer writer;
        sonavel::abort_callback_dummy abort;
        quennet::popup_configs.get_data_raw(writer, abort);
        sonavel::stream_reader_memblock reader(writer.data());
        return quennet::read_popup_configs(reader, abort);
    }

    // Console lines of the component, without their prefix and time.
    std::vector<std::string> logged() {
        std::vector<std::string> texts;
        const std::string prefix = "[quennet.dll] ";
        for (const std::string& line : engines().console.lines()) {
            if (line.compare(0, prefix.size(), prefix) != 0) continue;
            const std::size_t text_at = prefix.size() + std::string("HH:MM:SS.mmm: ").size();
            texts.push_back(line.size() >= text_at ? line.substr(text_at) : std::string());
        }
        return texts;
    }

    harness::UnexpectedBoxGuard no_boxes_;
    player::WinHost host_;
};

}  // namespace popup_test
