#include "player/engine/ThreadedProcess.h"

#include <memory>

#include "player/engine/HostEngines.h"

namespace player {

void ThreadedProcess::start(sonavel::service_ptr_t<sonavel::threaded_process_callback> callback, unsigned flags,
                            HWND__* parent, const char* title, std::function<void(bool)> finished) {
    std::shared_ptr<ProgressView> progress = host_.progress->open(parent, title ? title : "", flags);
    callback->on_init(progress->window());
    host_.workers.start([this, callback, progress, finished = std::move(finished)] {
        bool aborted = false;
        try {
            callback->run(*progress, progress->abort());
        } catch (const sonavel::exception_aborted&) {
            aborted = true;
        } catch (const std::exception& e) {
            host_.console.print(("Background process failed: " + sonavel::message_of(e)).c_str());
        }
        aborted = aborted || progress->abort().is_aborting();
        host_.queue.post([callback, progress, aborted, finished] {
            callback->on_done(progress->window(), aborted);
            progress->close();
            if (finished) finished(aborted);
        });
    });
}

bool ThreadedProcess::run_modeless(sonavel::service_ptr_t<sonavel::threaded_process_callback> callback, unsigned flags,
                                   HWND__* parent, const char* title) {
    start(std::move(callback), flags, parent, title, nullptr);
    return true;
}

bool ThreadedProcess::run_modal(sonavel::service_ptr_t<sonavel::threaded_process_callback> callback, unsigned flags,
                                HWND__* parent, const char* title) {
    auto state = std::make_shared<std::pair<bool, bool>>(false, false);  // done, aborted
    start(std::move(callback), flags, parent, title, [state](bool aborted) { *state = {true, aborted}; });
    host_.modal_loop([state] { return state->first; });
    return !state->second;
}

}  // namespace player
