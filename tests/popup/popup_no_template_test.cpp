// A popup window that cannot be made (this executable carries no dialog templates): the system's reason
// goes to the console, and no popup is left behind.
#include <gtest/gtest.h>

#include "tests/popup/popup_fixture.h"

namespace popup_test {
namespace {

class PopupWithoutTemplate : public PopupWindows {};

TEST_F(PopupWithoutTemplate, AWindowThatCannotBeMadeIsLoggedWithTheSystemsReason) {
    quennet::create_popup(config_named("Lounge"));
    EXPECT_TRUE(quennet::popup_windows.empty());
    const auto lines = logged();
    ASSERT_EQ(lines.size(), 1u);
    const std::string prefix = "Unable to show host window: ";
    EXPECT_EQ(lines[0].compare(0, prefix.size(), prefix), 0) << lines[0];
    EXPECT_GT(lines[0].size(), prefix.size()) << "the system's message follows";
    EXPECT_EQ(FakePanel::live, 0) << "no panel was made";
    EXPECT_TRUE(harness::pump_until([] { return quennet::popup_windows.held() == 0; }));
}

}  // namespace
}  // namespace popup_test
