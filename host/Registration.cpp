// Static initialisation builds these objects in the order written, and each links itself at the head of
// its list: the host reads the variables and the services from their heads, so it meets them in the
// reverse of this order. Keep new ones in their place rather than in the file of their class.
#include "host/Registration.h"

#include <limits>

#include "host/ComponentVersion.h"
#include "host/Identity.h"
#include "host/InitQuit.h"
#include "host/InstallationValidator.h"
#include "host/PanelHostCheck.h"
#include "ui/PopupPanelHost.h"
#include "integration/PlaylistCallback.h"
#include "integration/VarnelContextItem.h"
#include "integration/TagUpdateCallback.h"
#ifdef _WIN32
#include "panel/window/VarnelPanel.h"
#include "panel/window/WindowFactory.h"
#endif

namespace quennet {
namespace {
constexpr sonavel::guid popup_configs_guid = {0x60A51054, 0xC2B9, 0x45C7, {0x91, 0x0A, 0x61, 0x84, 0xFB, 0x64, 0x6D, 0xD2}};
constexpr sonavel::guid settings_branch_guid = {0x59AC9E52, 0x65D6, 0x4B98, {0xAA, 0x45, 0xE2, 0xB4, 0x3D, 0x1B, 0xAE, 0x7E}};
constexpr sonavel::guid warning_threshold_guid = {0x1F6E9B30, 0xA4C7, 0x4D2E, {0xB8, 0x05, 0x6C, 0x13, 0xE9, 0x7A, 0x2D, 0x41}};
constexpr sonavel::guid console_output_guid = {0x8C2D4A17, 0x5E3B, 0x4F60, {0x9A, 0x21, 0x3D, 0x7E, 0x51, 0x0B, 0xC4, 0x92}};

// The panel is a display element, so its settings sit among the host's display settings.
constexpr const sonavel::guid& settings_parent_guid = sonavel::advconfig_entry::guid_branch_display;
}  // namespace

PopupConfigList popup_configs(popup_configs_guid);

sonavel::service_factory_single_t<advconfig_branch_impl> settings_branch(
    "Varnel panel", settings_branch_guid, settings_parent_guid, 0.0);
sonavel::service_factory_single_t<advconfig_entry_integer_impl> warning_threshold_entry(
    "Warn before updating of more than N items (0=off)", warning_threshold_guid, settings_branch_guid, 0.0,
    IntegerBounds{100, 0, std::numeric_limits<std::uint64_t>::max()}, /*preference_flags=*/0u);
sonavel::service_factory_single_t<advconfig_entry_checkbox_impl> console_output_entry(
    "Enable console output", console_output_guid, settings_branch_guid, 0.0, /*initial=*/false, /*radio=*/false);

namespace {
sonavel::service_factory_single_t<componentversion_myimpl> componentversion_factory;
sonavel::service_factory_single_t<component_installation_validator_filename> installation_validator_factory;
sonavel::service_factory_single_t<TagUpdateCallback> tag_update_callback_factory;
sonavel::service_factory_single_t<PlaylistCallback> playlist_callback_factory;
sonavel::service_factory_single_t<InitQuit> initquit_factory;
// A new item object for every request.
sonavel::service_factory_t<VarnelContextItem> context_item_factory;
}  // namespace

#ifdef _WIN32
namespace {
// The panel needs windows: the window-free build registers no panel type.
WindowFactory<VarnelPanel> panel_window_factory;
}  // namespace
#endif

// The client object is built on first use by ComponentClient::instance().
const std::string minimum_panel_host_version_text = version_text_of(minimum_panel_host_version);

namespace {
// A new host object for every request, with no popup window behind it.
sonavel::service_factory_t<PopupPanelHost> popup_window_host_factory;
}  // namespace

}  // namespace quennet
