// The installation check: the file-name part of the library path must be "quennet.dll" exactly.
#include <gtest/gtest.h>

#include "host/InstallationValidator.h"
#include "tests/host/component_host.h"

namespace {

using quennet::file_name_part;
using quennet::has_required_file_name;

TEST(RegistrationInstallation, FileNameFollowsTheLastSeparator) {
    EXPECT_EQ(file_name_part("C:\\components\\quennet.dll"), "quennet.dll");
    EXPECT_EQ(file_name_part("/opt/player/components/quennet.dll"), "quennet.dll");
    EXPECT_EQ(file_name_part("C:quennet.dll"), "quennet.dll");
    EXPECT_EQ(file_name_part("archive.zip|quennet.dll"), "quennet.dll");
    EXPECT_EQ(file_name_part("a/b\\c:d|quennet.dll"), "quennet.dll");
    EXPECT_EQ(file_name_part("a|b:c\\d/quennet.dll"), "quennet.dll");
    EXPECT_EQ(file_name_part("quennet.dll"), "quennet.dll");
    EXPECT_EQ(file_name_part("C:\\components\\"), "");
    EXPECT_EQ(file_name_part(""), "");
}

TEST(RegistrationInstallation, ExactNamePassesBehindEverySeparator) {
    for (const char* path : {"quennet.dll", "C:\\components\\quennet.dll", "/components/quennet.dll", "C:quennet.dll",
                             "C:\\archive.zip|quennet.dll"}) {
        EXPECT_TRUE(has_required_file_name(path)) << path;
    }
}

TEST(RegistrationInstallation, AnyOtherNameFails) {
    for (const char* path :
         {"C:\\components\\Quennet.dll", "C:\\components\\QUENNET.DLL", "C:\\components\\quennet.DLL",
          "C:\\components\\quennet.dll ", "C:\\components\\ quennet.dll", "C:\\components\\quennet.dll.bak",
          "C:\\components\\quennet2.dll", "C:\\quennet.dll\\other.dll", "quennet.dll|inner.dll", ""}) {
        EXPECT_FALSE(has_required_file_name(path)) << path;
    }
}

class RegistrationInstallationService : public registration_test::ComponentHost {};

TEST_F(RegistrationInstallationService, ChecksTheLibraryPathTheHostGave) {
    load_component();
    auto validator = sonavel::standard_api_create_t<sonavel::component_installation_validator>();
    EXPECT_TRUE(validator->is_installed_correctly());
    quennet::ComponentClient::instance().set_library_path("C:\\components\\Quennet.dll", "Quennet.dll");
    EXPECT_FALSE(validator->is_installed_correctly());
    // The file name the host reports does not matter, only the path.
    quennet::ComponentClient::instance().set_library_path("C:\\components\\quennet.dll", "other.dll");
    EXPECT_TRUE(validator->is_installed_correctly());
}

}  // namespace
