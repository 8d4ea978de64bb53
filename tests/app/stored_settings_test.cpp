// Stored settings the player cannot use at start-up: the user is told once, which part and why, and the
// stored bytes survive the start and the next save unchanged.
#include <windows.h>

#include <algorithm>
#include <memory>

#include "player/app/LayoutFile.h"
#include "player/app/PlayerApp.h"
#include "player/engine/ConfigStore.h"
#include "presets/PresetStore.h"
#include "sdk/errors.h"
#include "sdk/utf8.h"
#include "tests/app/audio_files.h"
#include "tests/harness/message_box.h"
#include "tests/harness/pump.h"

namespace app_test {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::wstring program_folder() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text(path, length);
    return text.substr(0, text.find_last_of(L"\\/"));
}

// A panel type no installed component registers.
constexpr sonavel::guid unknown_type = {0x0BADF00D, 0x1234, 0x5678, {9, 9, 9, 9, 9, 9, 9, 9}};

class StoredSettings : public ::testing::Test {
protected:
    ~StoredSettings() override { app_.reset(); }

    void start() {
        player::PlayerOptions options;
        options.component = program_folder() + L"\\quennet.dll";
        options.config_folder = config_.path();
        app_ = std::make_unique<player::PlayerApp>(options);
        harness::pump_for(std::chrono::milliseconds(50));
    }
    void stop() { app_.reset(); }

    sonavel::guid varnel_type() {
        for (const auto& type : app_->window().panel_types())
            if (type.name == "Varnel Panel") return type.type;
        ADD_FAILURE() << "no Varnel Panel type";
        return {};
    }
    // A preset store as the panel writes it, holding one preset.
    static Bytes preset_store() {
        quennet::Options preset;
        preset.name = "Genres";
        preset.metadata_field = "GENRE";
        sonavel::stream_writer_buffer config;
        sonavel::abort_callback_dummy abort;
        quennet::write_store(config, abort, preset, {preset});
        return config.data();
    }
    // The store cut short inside a text, where the panel's reader raises the data error.
    static Bytes cut_store() {
        const Bytes whole = preset_store();
        for (std::size_t size = whole.size() / 2; size > 4; --size) {
            Bytes cut(whole.begin(), whole.begin() + size);
            sonavel::stream_reader_memblock reader(cut);
            sonavel::abort_callback_dummy abort;
            quennet::Options current;
            std::vector<quennet::Options> presets;
            try {
                quennet::read_store(reader, abort, current, presets);
            } catch (const sonavel::exception_io_data&) {
                return cut;
            }
        }
        ADD_FAILURE() << "no cut of the store raises the data error";
        return {};
    }
    std::wstring layout_file() const { return config_.file(L"layout.cfg"); }
    std::wstring config_file() const { return config_.file(L"player.cfg"); }

    TempFolder config_;
    std::unique_ptr<player::PlayerApp> app_;
};

TEST_F(StoredSettings, ADamagedPanelConfigurationIsReportedOnceAndSurvivesAStartAndASaveByteForByte) {
    // The type of the component's panel, learnt from a first run that leaves the layout empty.
    {
        harness::UnexpectedBoxGuard no_boxes;
        start();
        // The panel's store is written and read with the panel host's fonts and colours, while they exist.
        const sonavel::guid type = varnel_type();
        const Bytes damaged = cut_store(), good = preset_store();
        stop();
        player::write_layout(sonavel::wide_to_utf8(layout_file()), {{type, damaged}, {type, good}, {unknown_type, {1, 2, 3}}});
    }
    const Bytes stored = file_bytes(layout_file());

    harness::MessageBoxAnswerer boxes({IDOK});
    start();
    ASSERT_EQ(boxes.answered(), 1u) << "told at start, in one box";
    const std::wstring& text = boxes.boxes()[0].text;
    EXPECT_NE(text.find(L"2 docked panels could not be restored"), std::wstring::npos) << sonavel::wide_to_utf8(text);
    EXPECT_NE(text.find(L"Varnel Panel {"), std::wstring::npos) << "which panel: " << sonavel::wide_to_utf8(text);
    EXPECT_NE(text.find(L"Unsupported format or corrupted file"), std::wstring::npos) << "why: " << sonavel::wide_to_utf8(text);
    EXPECT_NE(text.find(sonavel::utf8_to_wide(sonavel::to_string(unknown_type))), std::wstring::npos)
        << "a panel of a type not installed is kept too: " << sonavel::wide_to_utf8(text);
    EXPECT_EQ(app_->window().docked().size(), 1u) << "the readable panel is docked";
    stop();

    EXPECT_EQ(file_bytes(layout_file()), stored) << "the next save writes the kept panels back unchanged";
}

TEST_F(StoredSettings, AComponentBlockTheComponentCannotReadIsReportedAndWrittenBackUnchanged) {
    std::string component;
    {
        harness::UnexpectedBoxGuard no_boxes;
        start();
        component = app_->component_name();
        stop();
    }
    player::ConfigStore configs;
    configs.read_file(sonavel::wide_to_utf8(config_file()).c_str());
    ASSERT_NE(configs.block(component), nullptr);
    Bytes damaged = *configs.block(component);
    ASSERT_GT(damaged.size(), 20u);
    damaged.resize(18);  // cut inside the first entry's byte count
    configs.set_block(component, damaged);
    configs.set_block("another component.dll", {7, 0, 7});
    configs.write_file(sonavel::wide_to_utf8(config_file()).c_str());
    const Bytes stored = file_bytes(config_file());

    harness::MessageBoxAnswerer boxes({IDOK});
    start();
    ASSERT_EQ(boxes.answered(), 1u);
    const std::wstring& text = boxes.boxes()[0].text;
    EXPECT_NE(text.find(L"The stored configuration of " + sonavel::utf8_to_wide(component) + L" could not be read"),
              std::wstring::npos) << sonavel::wide_to_utf8(text);
    EXPECT_NE(text.find(L"Unsupported format or corrupted file"), std::wstring::npos) << sonavel::wide_to_utf8(text);
    stop();

    EXPECT_EQ(file_bytes(config_file()), stored) << "both blocks written back as they were stored";
}

TEST_F(StoredSettings, AHistoryOfTagUpdatesThatIsNoDatabaseIsSetAsideReportedAndStartedAnew) {
    const Bytes junk(4096, 'x');
    write_bytes(config_.file(L"history.db"), junk);
    harness::MessageBoxAnswerer boxes({IDOK});
    start();
    ASSERT_EQ(boxes.answered(), 1u);
    const std::wstring& text = boxes.boxes()[0].text;
    EXPECT_NE(text.find(L"history.db could not be read"), std::wstring::npos) << sonavel::wide_to_utf8(text);
    EXPECT_NE(text.find(L"set aside as history.db.damaged;"), std::wstring::npos) << sonavel::wide_to_utf8(text);
    EXPECT_NE(app_->history(), nullptr) << "updates are recorded again from now on";
    stop();
    EXPECT_EQ(file_bytes(config_.file(L"history.db.damaged")), junk);
}

}  // namespace
}  // namespace app_test
