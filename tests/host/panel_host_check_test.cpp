// The panel host version test: how version texts convert and compare, which components count, and the
// same rules over the componentversion services a host has registered.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/PanelHostCheck.h"
#include "host/Registration.h"
#include "tests/host/component_host.h"

namespace {

using quennet::ComponentNameVersion;
using quennet::judge_panel_host_version;
using quennet::panel_host_sufficient;
using quennet::version_piece_value;
using quennet::VersionVerdict;

bool panel_host_alone(const std::string& version) { return panel_host_sufficient({{"Panoplex", version}}); }

TEST(RegistrationPanelHostVersion, MinimumAndLaterVersionsAreSufficient) {
    for (const char* version : {"0.3.8.8", "0.3.8.10", "0.3.9", "1", "0.4", "0.3.8.8.1", "0.3.8.8 beta", "2.0.0.0"}) {
        EXPECT_EQ(judge_panel_host_version(version), VersionVerdict::sufficient) << version;
        EXPECT_TRUE(panel_host_alone(version)) << version;
    }
}

TEST(RegistrationPanelHostVersion, EarlierVersionsAreInsufficient) {
    for (const char* version : {"0.3.8.7", "0.3.7.99", "0.2.99.99", "0.3.8.0", "0.3.8.7.99"}) {
        EXPECT_EQ(judge_panel_host_version(version), VersionVerdict::insufficient) << version;
        EXPECT_FALSE(panel_host_alone(version)) << version;
    }
}

TEST(RegistrationPanelHostVersion, FewerThanFourEqualPiecesDecideNothing) {
    for (const char* version : {"0.3.8", "0.3", "0", ""}) {
        EXPECT_EQ(judge_panel_host_version(version), VersionVerdict::undecided) << '"' << version << '"';
        EXPECT_FALSE(panel_host_alone(version)) << '"' << version << '"';
    }
}

TEST(RegistrationPanelHostVersion, UndecidedPanelHostLeavesTheDecisionToTheNextOne) {
    EXPECT_TRUE(panel_host_sufficient({{"Panoplex", "0.3.8"}, {"Panoplex", "0.3.9"}}));
    EXPECT_FALSE(panel_host_sufficient({{"Panoplex", "0.3.8"}, {"Panoplex", "0.3.8.7"}}));
    EXPECT_TRUE(panel_host_sufficient({{"Panoplex", "0.3.8"}, {"Other", "0.1"}, {"Panoplex", "1"}}));
}

TEST(RegistrationPanelHostVersion, FirstDecidingPanelHostWins) {
    EXPECT_TRUE(panel_host_sufficient({{"Panoplex", "0.3.9"}, {"Panoplex", "0.3.8.7"}}));
    EXPECT_FALSE(panel_host_sufficient({{"Panoplex", "0.3.8.7"}, {"Panoplex", "0.3.9"}}));
}

TEST(RegistrationPanelHostVersion, OnlyTheExactNameCounts) {
    for (const char* name : {"panoplex", "PANOPLEX", "Panoplex ", " Panoplex", "Panoplex2", ""}) {
        EXPECT_FALSE(panel_host_sufficient({{name, "1"}})) << '"' << name << '"';
    }
    EXPECT_FALSE(panel_host_sufficient({}));
    EXPECT_TRUE(panel_host_sufficient({{"panoplex", "0.1"}, {"Panoplex", "0.3.8.8"}}));
}

TEST(RegistrationPanelHostVersion, PieceConvertsLikeStrtolOnA32BitLong) {
    EXPECT_EQ(version_piece_value("8"), 8u);
    EXPECT_EQ(version_piece_value("8 beta"), 8u);
    EXPECT_EQ(version_piece_value(" \t\r\n\v\f8"), 8u);
    EXPECT_EQ(version_piece_value("+8"), 8u);
    EXPECT_EQ(version_piece_value("007"), 7u);
    EXPECT_EQ(version_piece_value("12x34"), 12u);
    EXPECT_EQ(version_piece_value(""), 0u);
    EXPECT_EQ(version_piece_value("beta"), 0u);
    EXPECT_EQ(version_piece_value("-"), 0u);
    EXPECT_EQ(version_piece_value("- 1"), 0u);
    EXPECT_EQ(version_piece_value("-0"), 0u);
    EXPECT_EQ(version_piece_value("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(version_piece_value("-8"), 0xFFFFFFF8u);
    EXPECT_EQ(version_piece_value("2147483647"), 0x7FFFFFFFu);
    EXPECT_EQ(version_piece_value("99999999999999999999999"), 0x7FFFFFFFu);
    EXPECT_EQ(version_piece_value("-2147483648"), 0x80000000u);
    EXPECT_EQ(version_piece_value("-99999999999999999999999"), 0x80000000u);
}

TEST(RegistrationPanelHostVersion, NegativePieceWrapsToALargeNumber) {
    EXPECT_TRUE(panel_host_alone("-1"));
    EXPECT_TRUE(panel_host_alone("0.-1"));
    EXPECT_TRUE(panel_host_alone("0.3.8.-1"));
}

TEST(RegistrationPanelHostVersion, EmptyPiecesCountAsZero) {
    EXPECT_FALSE(panel_host_alone("0..8.8"));
    EXPECT_FALSE(panel_host_alone("0.3.8."));
    EXPECT_TRUE(panel_host_alone(".3.8.8"));
    EXPECT_FALSE(panel_host_alone(".3.8.7"));
    EXPECT_EQ(judge_panel_host_version("0.3.8.8."), VersionVerdict::sufficient);
}

TEST(RegistrationPanelHostVersion, MinimumTextIsBuiltFromItsNumbers) {
    EXPECT_EQ(quennet::minimum_panel_host_version_text, "0.3.8.8");
    const std::uint32_t pieces[4] = {1, 22, 333, 4000000000u};
    EXPECT_EQ(quennet::version_text_of(pieces), "1.22.333.4000000000");
}

class RegistrationInstalledPanelHost : public registration_test::ComponentHost {
protected:
    // The registry holds the later panel host, which goes before the base's host does.
    ~RegistrationInstalledPanelHost() override { host.state.registry.clear(); }

    sonavel::service_impl_single_t<player::PanelHostVersion> later_panel_host{"Panoplex", "0.3.9"};

    void add_later_panel_host() {
        host.state.registry.add_instance(sonavel::componentversion::class_guid,
                                         static_cast<sonavel::componentversion*>(&later_panel_host));
    }
};

TEST_F(RegistrationInstalledPanelHost, ReadsTheRegisteredComponents) {
    load_component();
    EXPECT_TRUE(quennet::installed_panel_host_sufficient());
    host.panel_host_version.set("Panoplex", "0.3.8.7");
    EXPECT_FALSE(quennet::installed_panel_host_sufficient());
    host.panel_host_version.set("panoplex", "1");
    EXPECT_FALSE(quennet::installed_panel_host_sufficient());
}

TEST_F(RegistrationInstalledPanelHost, LaterPanelHostDecidesWhenTheFirstDoesNot) {
    host.panel_host_version.set("Panoplex", "0.3.8");
    load_component();
    EXPECT_FALSE(quennet::installed_panel_host_sufficient());
    add_later_panel_host();
    EXPECT_TRUE(quennet::installed_panel_host_sufficient());
}

}  // namespace
