#include "ui/PopupWindowList.h"

#include <algorithm>

#include "sdk/core_api.h"
#include "sdk/main_thread.h"
#include "ui/PopupPanel.h"

namespace quennet {
namespace {

class ReleaseUnlistedPopups : public sonavel::main_thread_callback {
public:
    using interface_t = sonavel::main_thread_callback;
    explicit ReleaseUnlistedPopups(PopupWindowList& list) noexcept : list_(list) {}
    void callback_run() override { list_.release_unlisted(); }

private:
    PopupWindowList& list_;
};

}  // namespace

PopupWindowList::PopupWindowList() = default;

PopupWindowList::~PopupWindowList() {
    live_.clear();
    showing_.clear();
    kept_.clear();
}

PopupPanel& PopupWindowList::keep(std::unique_ptr<PopupPanel> popup) {
    kept_.push_back(std::move(popup));
    showing_.push_back(kept_.back().get());
    return *kept_.back();
}

void PopupWindowList::unpin(PopupPanel& popup) noexcept {
    auto found = std::find(showing_.begin(), showing_.end(), &popup);
    if (found != showing_.end()) showing_.erase(found);
    if (!contains(popup)) release_later();
}

void PopupWindowList::add(PopupPanel& popup) { live_.push_back(&popup); }

void PopupWindowList::remove(PopupPanel& popup) {
    live_.erase(std::remove(live_.begin(), live_.end(), &popup), live_.end());
    release_later();
}

bool PopupWindowList::contains(const PopupPanel& popup) const noexcept {
    return std::find(live_.begin(), live_.end(), &popup) != live_.end();
}

void PopupWindowList::release_later() noexcept {
    try {
        sonavel::standard_api_create_t<sonavel::main_thread_service>()->add_callback(
            sonavel::service_impl_t<ReleaseUnlistedPopups>::create(*this));
    } catch (...) {
        // Without the queue the popups wait for the next request, or for the end of the process.
    }
}

void PopupWindowList::release_unlisted() noexcept {
    // Out of the list first: a popup's destructor must find the list consistent.
    std::vector<std::unique_ptr<PopupPanel>> unlisted;
    for (auto& popup : kept_)
        if (!contains(*popup) && std::find(showing_.begin(), showing_.end(), popup.get()) == showing_.end())
            unlisted.push_back(std::move(popup));
    kept_.erase(std::remove(kept_.begin(), kept_.end(), nullptr), kept_.end());
    unlisted.clear();
}

}  // namespace quennet
