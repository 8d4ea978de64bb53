#include "host/PopupConfigList.h"

#include "ui/PopupWindows.h"

namespace quennet {

void PopupConfigList::get_data_raw(sonavel::stream_writer& writer, sonavel::abort_callback& abort) {
    std::vector<PopupConfig> list = not_reopened_;
    for (PopupConfig& config : refreshed_popup_configs()) list.push_back(std::move(config));
    configs_ = std::move(list);
    write_popup_configs(writer, configs_, abort);
}

void PopupConfigList::set_data_raw(sonavel::stream_reader& reader, std::size_t, sonavel::abort_callback& abort) {
    configs_.clear();
    not_reopened_.clear();
    configs_ = read_popup_configs(reader, abort);
    for (const PopupConfig& config : configs_)
        if (config.persistent) not_reopened_.push_back(config);
}

std::vector<PopupConfig> PopupConfigList::take_persistent() {
    std::vector<PopupConfig> taken;
    taken.swap(not_reopened_);
    return taken;
}

}  // namespace quennet
