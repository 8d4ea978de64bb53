#include "player/engine/query/Condition.h"

namespace player::query {

bool Condition::matches(const sonavel::file_info& info, const char* path, QueryScratch& scratch) const {
    return script_ ? script_matches(info, path, scratch) : field_matches(info);
}

bool Condition::field_matches(const sonavel::file_info& info) const {
    // The one virtual lookup per record; values are then read by index.
    std::size_t field = info.meta_find_ex(field_.data(), field_.size());
    bool present = field != sonavel::file_info::npos;
    switch (test_) {
        case Test::missing:
            return !present;
        case Test::present:
            return present;
        case Test::is:
        case Test::has:
            break;
    }
    if (!present) return false;
    for (std::size_t v = 0, count = info.meta_enum_value_count(field); v < count; ++v) {
        if (text_matches(info.meta_enum_value(field, v))) return true;
    }
    return false;
}

// The formatted text is one value; the script's truth value stands for the field's presence, so that
// "%album%" MISSING holds for a track without an album although the text is "?".
bool Condition::script_matches(const sonavel::file_info& info, const char* path, QueryScratch& scratch) const {
    // The location is measured only here: most queries never look at it.
    std::string_view location = path ? std::string_view(path) : std::string_view();
    bool found = script_->format(&info, location, scratch.text, scratch.format);
    switch (test_) {
        case Test::missing:
            return !found;
        case Test::present:
            return found;
        case Test::is:
        case Test::has:
            break;
    }
    return text_matches(scratch.text.c_str());
}

bool Condition::text_matches(const char* value) const noexcept {
    return test_ == Test::is ? equals_ignoring_case(value, text_) : folded_.found_in(value);
}

}  // namespace player::query
