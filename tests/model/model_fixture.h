#pragma once
// A started stand-in host with a panel model on it: tracks in memory, a playlist, and a FillTarget that
// counts what the fill asked of its panel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/ComponentClient.h"
#include "panel/model/PanelFiller.h"
#include "player/engine/HostEngines.h"

namespace model_test {

class RecordingPanel : public quennet::FillTarget {
public:
    quennet::Options& current_options() override { return current; }
    std::vector<quennet::Options>& preset_list() override { return presets; }
    void update_controls() override { ++controls_updates; }
    void rebuild_now() override {
        ++rebuilds;
        rebuilt_with = current.tags;
        if (on_rebuild) on_rebuild();
    }

    quennet::Options current;
    std::vector<quennet::Options> presets;
    int controls_updates = 0;
    int rebuilds = 0;
    std::vector<std::string> rebuilt_with;
    std::function<void()> on_rebuild;
};

class ModelTest : public ::testing::Test {
protected:
    ModelTest() {
        host.console.set_mirror(false);
        host.register_services();
        host.start();
        // The component's own line prefix comes from its library path.
        auto& client = quennet::ComponentClient::instance();
        client.set_library_path("C:\\player\\components\\quennet.dll", "quennet.dll");
        client.services_init(true);
    }
    ~ModelTest() override { quennet::ComponentClient::instance().services_init(false); }

    sonavel::metadb_handle_ptr track(const std::string& path, const player::FieldValues& fields, bool in_library = true) {
        return host.add_track(path, fields, in_library);
    }
    // Lines the component printed, without their "[quennet.dll] HH:MM:SS.mmm: " prefix.
    std::vector<std::string> component_lines() const {
        std::vector<std::string> texts;
        for (const auto& line : host.console.lines()) {
            const std::string prefix = "[quennet.dll] ";
            if (line.compare(0, prefix.size(), prefix) == 0 && line.size() > prefix.size() + 14) {
                texts.push_back(line.substr(prefix.size() + 14));
            }
        }
        return texts;
    }

    player::HostEngines host;
};

}  // namespace model_test
