#pragma once
// The stored popup panel windows, as one of the component-wide configuration variables.
#include "sdk/cfg_var.h"

namespace quennet {

// Its records arrive with the popup panel windows. Until then it holds no record: it stores a count of
// zero, and of a stored list it reads the count and leaves the records it cannot understand yet unread
// (the block reader skips them).
class PopupConfigList final : public sonavel::cfg_var {
public:
    explicit PopupConfigList(const sonavel::guid& id) noexcept : cfg_var(id) {}

    void get_data_raw(sonavel::stream_writer& writer, sonavel::abort_callback& abort) override;
    void set_data_raw(sonavel::stream_reader& reader, std::size_t size_hint, sonavel::abort_callback& abort) override;
};

}  // namespace quennet
