#include "player/engine/titleformat/Evaluator.h"

#include "player/engine/titleformat/functions.h"
#include "player/engine/titleformat/path_fields.h"

namespace player::titleformat {

namespace {

Outcome missing_field(std::string& out) {
    out.push_back('?');
    return {false, true};
}

}  // namespace

Outcome Evaluator::sequence(const Sequence& items, std::string& out) {
    Outcome all;
    for (const Node& item : items) {
        Outcome one = node(item, out);
        all.found |= one.found;
        all.missing |= one.missing;
    }
    return all;
}

Outcome Evaluator::node(const Node& item, std::string& out) {
    switch (item.kind) {
        case Node::Kind::text:
            out += item.text;
            return {};
        case Node::Kind::field:
            return field(item.text, ", ", out);
        case Node::Kind::path_field: {
            std::string_view value = path_field_value(item.path_field, path_);
            out += value;
            return {!value.empty(), false};
        }
        case Node::Kind::section:
            return section(item.children.front(), out);
        case Node::Kind::call:
            return item.function->run(*this, item.children, out);
    }
    return {};
}

Outcome Evaluator::section(const Sequence& items, std::string& out) {
    std::size_t mark = out.size();
    Outcome inside = sequence(items, out);
    if (inside.found && !inside.missing) return {true, false};
    out.resize(mark);
    return {};
}

Evaluator::Argument Evaluator::argument(const Sequence& items) {
    Argument result{scratch_.borrow(), {}};
    result.outcome = sequence(items, result.lease.text());
    return result;
}

bool Evaluator::test(const Sequence& items, std::string& out) {
    std::size_t mark = out.size();
    bool found = sequence(items, out).found;
    out.resize(mark);
    return found;
}

Outcome Evaluator::field(std::string_view name, std::string_view separator, std::string& out) {
    std::size_t index = info_ ? info_->meta_find_ex(name.data(), name.size()) : sonavel::file_info::npos;
    if (index == sonavel::file_info::npos) return missing_field(out);
    std::size_t mark = out.size();
    for (std::size_t v = 0, count = info_->meta_enum_value_count(index); v < count; ++v) {
        if (v > 0) out += separator;
        out += info_->meta_enum_value(index, v);
    }
    return {out.size() > mark, false};
}

Outcome Evaluator::field_value(std::string_view name, std::size_t value, std::string& out) {
    std::size_t index = info_ ? info_->meta_find_ex(name.data(), name.size()) : sonavel::file_info::npos;
    if (index == sonavel::file_info::npos || value >= info_->meta_enum_value_count(index)) return missing_field(out);
    std::size_t mark = out.size();
    out += info_->meta_enum_value(index, value);
    return {out.size() > mark, false};
}

}  // namespace player::titleformat
