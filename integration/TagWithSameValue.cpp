#include "integration/TagWithSameValue.h"

#include "integration/TagWithSameValueProcessCallback.h"
#include "panel/model/PanelModel.h"
#include "sdk/core_api.h"

namespace quennet {
namespace {

using process = sonavel::threaded_process_service;
// Cancel, progress bar and item text; shown only if it lasts, and without taking the focus.
constexpr unsigned process_flags = process::flag_show_abort | process::flag_show_progress | process::flag_show_item |
                                   process::flag_show_delayed | process::flag_no_focus;
static_assert(process_flags == 0x195);

}  // namespace

bool start_tag_with_same_value(PanelModel& panel) {
    if (panel.busy()) return false;
    panel.set_busy(true);
    bool started = false;
    try {
        auto callback = sonavel::service_impl_t<TagWithSameValueProcessCallback>::create(panel);
        started = sonavel::standard_api_create_t<process>()->run_modeless(callback, process_flags, panel.window(),
                                                                          tag_with_same_value_title);
    } catch (...) {
        panel.set_busy(false);
        throw;
    }
    // Nothing will end a process that never began.
    if (!started) panel.set_busy(false);
    return started;
}

}  // namespace quennet
