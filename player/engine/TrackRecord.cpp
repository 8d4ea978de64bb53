#include "player/engine/TrackRecord.h"

#include <cstring>
#include <iterator>

#include "sdk/errors.h"

namespace player {

void TrackRecord::read_only() { throw sonavel::exception_bug_check(); }

void TrackRecord::assign(RecordTables& tables, const sonavel::file_info* source) {
    tables_ = &tables;
    if (!source) {
        data_ = nullptr;
        heap_.reset();
        extras_.reset();
        return;
    }
    std::vector<std::uint32_t> data{0};
    for (std::size_t f = 0, n = source->meta_get_count(); f < n; ++f) {
        std::size_t values = source->meta_enum_value_count(f);
        if (values == 0) continue;
        data.push_back(tables.name_id(source->meta_enum_name(f)));
        data.push_back(std::uint32_t(values));
        for (std::size_t v = 0; v < values; ++v) data.push_back(tables.value_id(source->meta_enum_value(f, v)));
        ++data[0];
    }
    if (data.size() <= std::size(inline_)) {
        heap_.reset();
        std::memcpy(inline_, data.data(), data.size() * sizeof(std::uint32_t));
        data_ = inline_;
    } else {
        heap_ = std::make_unique<std::uint32_t[]>(data.size());
        std::memcpy(heap_.get(), data.data(), data.size() * sizeof(std::uint32_t));
        data_ = heap_.get();
    }

    sonavel::replaygain_info rg = source->get_replaygain();
    if (source->info_get_count() == 0 && source->get_length() == 0 && rg == sonavel::replaygain_info{}) {
        extras_.reset();
        return;
    }
    auto more = std::make_unique<extras>();
    for (std::size_t i = 0, n = source->info_get_count(); i < n; ++i) {
        more->info.emplace_back(tables.name_id(source->info_enum_name(i)), tables.value_id(source->info_enum_value(i)));
    }
    more->length = source->get_length();
    more->replaygain = rg;
    extras_ = std::move(more);
}

std::size_t TrackRecord::field_offset(std::size_t field) const noexcept {
    std::size_t at = 1;
    for (std::size_t f = 0; f < field; ++f) at += 2 + data_[at + 1];
    return at;
}

const char* TrackRecord::meta_enum_name(std::size_t field) const noexcept {
    return tables_->name(data_[field_offset(field)]);
}

std::size_t TrackRecord::meta_enum_value_count(std::size_t field) const noexcept {
    return data_[field_offset(field) + 1];
}

const char* TrackRecord::meta_enum_value(std::size_t field, std::size_t value) const noexcept {
    return tables_->value(data_[field_offset(field) + 2 + value]);
}

std::size_t TrackRecord::meta_find_ex(const char* name, std::size_t length) const noexcept {
    if (!data_) return npos;
    std::uint32_t fold = tables_->find_fold(std::string_view(name, length));
    if (fold == RecordTables::none) return npos;
    std::size_t at = 1;
    for (std::size_t f = 0, n = data_[0]; f < n; ++f) {
        if (tables_->fold_of(data_[at]) == fold) return f;
        at += 2 + data_[at + 1];
    }
    return npos;
}

const char* TrackRecord::info_enum_name(std::size_t index) const noexcept {
    return tables_->name(extras_->info[index].first);
}

const char* TrackRecord::info_enum_value(std::size_t index) const noexcept {
    return tables_->value(extras_->info[index].second);
}

std::size_t TrackRecord::heap_bytes() const noexcept {
    if (!heap_) return extras_ ? sizeof(extras) + extras_->info.capacity() * 8 : 0;
    return field_offset(data_[0]) * sizeof(std::uint32_t) + (extras_ ? sizeof(extras) + extras_->info.capacity() * 8 : 0);
}

}  // namespace player
