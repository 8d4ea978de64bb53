#include "player/engine/Progress.h"

namespace player {

void HeadlessProgress::set_progress(std::size_t position) {
    std::lock_guard<std::mutex> guard(lock_);
    progress_ = position;
}

void HeadlessProgress::set_item(const char* text) {
    std::lock_guard<std::mutex> guard(lock_);
    item_ = text;
}

void HeadlessProgress::set_title(const char* text) {
    std::lock_guard<std::mutex> guard(lock_);
    title_ = text;
}

std::size_t HeadlessProgress::progress() const {
    std::lock_guard<std::mutex> guard(lock_);
    return progress_;
}

std::string HeadlessProgress::item() const {
    std::lock_guard<std::mutex> guard(lock_);
    return item_;
}

std::unique_ptr<ProgressView> HeadlessProgressFactory::open(HWND__*, const char* title, unsigned) {
    auto view = std::make_unique<HeadlessProgress>();
    view->set_title(title ? title : "");
    if (on_open) on_open(*view);
    return view;
}

}  // namespace player
