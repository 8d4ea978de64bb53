// The panel host's services without windows: its component entry, the global fonts and colours with
// their change callbacks, and the panel factories it finds in a component's service list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_fixture.h"
#include "sdk/component.h"
#include "sdk/dockwork.h"
#include "sdk/panoplex.h"
#include "tests/harness/panel_defaults.h"

namespace engine_test {
namespace {

using panoplex::colour_t;
using panoplex::log_font;
namespace fonts = panoplex::fonts;
namespace colours = panoplex::colours;

// Panels that do nothing but say who they are and count how many of them exist.
template <int N>
class StubPanel : public harness::PanelDefaults {
public:
    static inline int live = 0;
    StubPanel() { ++live; }
    ~StubPanel() { --live; }

    sonavel::guid get_guid() const override {
        return {0x5A17E000u + unsigned(N), 0x3C1D, 0x4F0A, {0x8E, 0x21, 0x47, 0x90, 0x12, 0xAB, 0xCD, std::uint8_t(N)}};
    }
    void get_name(std::string& out) const override { out = "Stub panel " + std::to_string(N); }
    HWND__* attach_window(HWND__*, const dockwork::window_host_ptr&, int, int, int, int) override { return nullptr; }
    void close_window() override {}
    HWND__* get_window() const override { return nullptr; }
};

dockwork::window_factory<StubPanel<1>> g_first_panel;
dockwork::window_factory<StubPanel<2>> g_second_panel;

class FontListener : public fonts::common_callback {
public:
    void on_font_changed(std::uint32_t mask) const override { masks.push_back(mask); }
    mutable std::vector<std::uint32_t> masks;
};

class ColourListener : public colours::common_callback {
public:
    void on_colour_changed(std::uint32_t mask) const override { colour_masks.push_back(mask); }
    void on_bool_changed(std::uint32_t mask) const override { bool_masks.push_back(mask); }
    mutable std::vector<std::uint32_t> colour_masks, bool_masks;
};

class EnginePanelHost : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        font_manager = sonavel::standard_api_create_t<fonts::manager>();
        colour_manager = sonavel::standard_api_create_t<colours::manager>();
    }
    void TearDown() override {
        for (auto* l : {&font_a, &font_b}) font_manager->deregister_common_callback(l);
        for (auto* l : {&colour_a, &colour_b}) colour_manager->deregister_common_callback(l);
    }

    static std::u16string face_of(const log_font& font) { return std::u16string(font.face_name); }

    sonavel::service_ptr_t<fonts::manager> font_manager;
    sonavel::service_ptr_t<colours::manager> colour_manager;
    FontListener font_a, font_b;
    ColourListener colour_a, colour_b;
};

using Masks = std::vector<std::uint32_t>;

// --- The component entry -------------------------------------------------------------------------

struct component_entry {
    std::string name, version, file;
};

std::vector<component_entry> installed_components() {
    std::vector<component_entry> out;
    for (auto& c : sonavel::service_list_t<sonavel::componentversion>()) {
        component_entry e;
        c->get_component_name(e.name);
        c->get_component_version(e.version);
        c->get_file_name(e.file);
        out.push_back(e);
    }
    return out;
}

TEST_F(EnginePanelHost, PanelHostIsListedAmongComponentsWithItsVersion) {
    auto components = installed_components();
    ASSERT_EQ(components.size(), 1u);
    EXPECT_EQ(components[0].name, "Panoplex");
    EXPECT_EQ(components[0].version, "0.3.8.8");
    EXPECT_FALSE(components[0].file.empty());

    engines.panel_host_version.set("Panoplex", "2.1.0");
    components = installed_components();
    ASSERT_EQ(components.size(), 1u);
    EXPECT_EQ(components[0].version, "2.1.0");
}

// --- Fonts ---------------------------------------------------------------------------------------

TEST_F(EnginePanelHost, BothGlobalFontsAreReadable) {
    log_font items, labels;
    font_manager->get_font(fonts::font_type_items, items);
    font_manager->get_font(fonts::font_type_labels, labels);
    EXPECT_NE(items.height, 0);
    EXPECT_NE(labels.height, 0);
    EXPECT_FALSE(face_of(items).empty());
    EXPECT_FALSE(face_of(labels).empty());
    EXPECT_GT(items.weight, 0);
}

TEST_F(EnginePanelHost, SetFontChangesTheFontAndCallsEveryRegisteredCallback) {
    font_manager->register_common_callback(&font_a);
    font_manager->register_common_callback(&font_b);
    font_manager->register_common_callback(&font_a);
    log_font big;
    big.height = -20;
    big.weight = 700;
    big.face_name[0] = u'X';
    engines.fonts.set_font(fonts::font_type_labels, big);
    engines.fonts.set_font(fonts::font_type_items, big);
    EXPECT_EQ(font_a.masks, (Masks{1u << fonts::font_type_labels, 1u << fonts::font_type_items}));
    EXPECT_EQ(font_b.masks, font_a.masks);

    log_font read;
    font_manager->get_font(fonts::font_type_labels, read);
    EXPECT_EQ(read.height, -20);
    EXPECT_EQ(read.weight, 700);
    EXPECT_EQ(face_of(read), u"X");
}

TEST_F(EnginePanelHost, DeregisteredFontCallbacksHearNothing) {
    font_manager->register_common_callback(&font_a);
    font_manager->register_common_callback(&font_b);
    font_manager->deregister_common_callback(&font_a);
    engines.fonts.set_font(fonts::font_type_items, log_font{});
    EXPECT_TRUE(font_a.masks.empty());
    EXPECT_EQ(font_b.masks, Masks{1u});
    EXPECT_EQ(engines.fonts.callback_count(), 1u);
}

TEST_F(EnginePanelHost, SettingOneFontLeavesTheOtherAlone) {
    log_font labels_before, labels_after, changed;
    font_manager->get_font(fonts::font_type_labels, labels_before);
    changed.height = -30;
    engines.fonts.set_font(fonts::font_type_items, changed);
    font_manager->get_font(fonts::font_type_labels, labels_after);
    EXPECT_EQ(labels_after.height, labels_before.height);
    EXPECT_EQ(face_of(labels_after), face_of(labels_before));
}

// --- Colours -------------------------------------------------------------------------------------

TEST_F(EnginePanelHost, AllSevenGlobalColoursAreReadable) {
    std::vector<colour_t> all;
    for (unsigned i = 0; i <= colours::colour_active_item_frame; ++i) {
        colour_t c = colour_manager->get_colour(colours::colour_identifier_t(i));
        EXPECT_EQ(c & 0xFF000000u, 0u) << "a COLORREF has no alpha byte: colour " << i;
        all.push_back(c);
    }
    EXPECT_NE(all[colours::colour_text], all[colours::colour_background]);
    EXPECT_NE(all[colours::colour_selection_text], all[colours::colour_selection_background]);
}

TEST_F(EnginePanelHost, SetColourChangesTheColourAndCallsEveryRegisteredCallback) {
    colour_manager->register_common_callback(&colour_a);
    colour_manager->register_common_callback(&colour_b);
    colour_manager->deregister_common_callback(&colour_b);
    for (unsigned i = 0; i <= colours::colour_active_item_frame; ++i) {
        engines.colours.set_colour(colours::colour_identifier_t(i), 0x010203u * (i + 1));
    }
    Masks expected;
    for (unsigned i = 0; i <= 6; ++i) expected.push_back(1u << i);
    EXPECT_EQ(colour_a.colour_masks, expected);
    EXPECT_TRUE(colour_a.bool_masks.empty());
    EXPECT_TRUE(colour_b.colour_masks.empty());
    for (unsigned i = 0; i <= 6; ++i) {
        EXPECT_EQ(colour_manager->get_colour(colours::colour_identifier_t(i)), 0x010203u * (i + 1));
    }
}

TEST_F(EnginePanelHost, ColourSwitchChangesReachOnBoolChanged) {
    colour_manager->register_common_callback(&colour_a);
    colour_manager->register_common_callback(&colour_b);
    engines.colours.change_bool(0x1);
    engines.colours.change_bool(0x6);
    EXPECT_EQ(colour_a.bool_masks, (Masks{0x1, 0x6}));
    EXPECT_EQ(colour_b.bool_masks, (Masks{0x1, 0x6}));
    EXPECT_TRUE(colour_a.colour_masks.empty());
}

TEST_F(EnginePanelHost, ACallbackMayDeregisterDuringANotification) {
    struct SelfRemoving : fonts::common_callback {
        fonts::manager* manager = nullptr;
        mutable int calls = 0;
        void on_font_changed(std::uint32_t) const override {
            ++calls;
            manager->deregister_common_callback(const_cast<SelfRemoving*>(this));
        }
    } self_removing;
    self_removing.manager = font_manager.get_ptr();
    font_manager->register_common_callback(&self_removing);
    font_manager->register_common_callback(&font_a);
    font_manager->register_common_callback(&font_b);
    engines.fonts.set_font(fonts::font_type_items, log_font{});
    engines.fonts.set_font(fonts::font_type_items, log_font{});
    EXPECT_EQ(self_removing.calls, 1);
    EXPECT_EQ(font_a.masks, (Masks{1u, 1u}));
    EXPECT_EQ(font_b.masks, (Masks{1u, 1u}));
}

// --- Panel factories -----------------------------------------------------------------------------

std::vector<std::string> panel_names(const std::vector<dockwork::window_ptr>& panels) {
    std::vector<std::string> names;
    for (const auto& p : panels) {
        std::string name;
        p->get_name(name);
        names.push_back(name);
    }
    return names;
}

TEST_F(EnginePanelHost, PanelFactoriesAreEnumeratedFromTheLastRegistered) {
    auto panels = sonavel::service_list_t<dockwork::window>();
    EXPECT_EQ(panel_names(panels), (std::vector<std::string>{"Stub panel 2", "Stub panel 1"}));
    EXPECT_EQ(sonavel::core()->service_count(dockwork::window::class_guid), 2u);
    ASSERT_EQ(panels.size(), 2u);
    EXPECT_NE(panels[0]->get_guid(), panels[1]->get_guid());
}

TEST_F(EnginePanelHost, EveryRequestCreatesANewPanel) {
    ASSERT_EQ(StubPanel<1>::live, 0);
    {
        auto first = sonavel::service_list_t<dockwork::window>();
        EXPECT_EQ(StubPanel<1>::live, 1);
        EXPECT_EQ(StubPanel<2>::live, 1);
        auto second = sonavel::service_list_t<dockwork::window>();
        EXPECT_EQ(StubPanel<1>::live, 2);
        EXPECT_EQ(StubPanel<2>::live, 2);
        ASSERT_EQ(first.size(), 2u);
        ASSERT_EQ(second.size(), 2u);
        EXPECT_NE(first[0].get_ptr(), second[0].get_ptr());
        EXPECT_NE(first[1].get_ptr(), second[1].get_ptr());
        // Same panel type, distinct objects.
        EXPECT_EQ(first[1]->get_guid(), second[1]->get_guid());
        auto direct = sonavel::core()->service_create(dockwork::window::class_guid, 0);
        EXPECT_EQ(StubPanel<2>::live, 3);
    }
    EXPECT_EQ(StubPanel<1>::live, 0);
    EXPECT_EQ(StubPanel<2>::live, 0);
}

}  // namespace
}  // namespace engine_test
