#include "player/engine/titleformat/FormatScratch.h"

namespace player::titleformat {

FormatScratch::Lease FormatScratch::borrow() {
    if (used_ == pool_.size()) pool_.push_back(std::make_unique<std::string>());
    std::string& text = *pool_[used_++];
    text.clear();
    return Lease(*this, text);
}

}  // namespace player::titleformat
