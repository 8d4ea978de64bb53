#pragma once
// The stored popup panel windows, as one of the component-wide configuration variables.
#include <vector>

#include "sdk/cfg_var.h"
#include "ui/PopupConfig.h"

namespace quennet {

// Saving stores the live popup windows, each with its panel's current configuration. Reading replaces
// the list; a stream it cannot read leaves the list empty and the error goes on to the host.
class PopupConfigList final : public sonavel::cfg_var {
public:
    explicit PopupConfigList(const sonavel::guid& id) noexcept : cfg_var(id) {}

    void get_data_raw(sonavel::stream_writer& writer, sonavel::abort_callback& abort) override;
    void set_data_raw(sonavel::stream_reader& reader, std::size_t size_hint, sonavel::abort_callback& abort) override;

    // The list as last read or written.
    const std::vector<PopupConfig>& configs() const noexcept { return configs_; }

    // The persistent entries, in stored order, for start-up to reopen. From then on the popup windows
    // speak for them.
    std::vector<PopupConfig> take_persistent();

private:
    std::vector<PopupConfig> configs_;
    // Persistent entries read but not yet reopened (the panel host was missing at start-up, say): a save
    // keeps them, so that a start without the panel host does not lose the user's windows.
    std::vector<PopupConfig> not_reopened_;
};

}  // namespace quennet
