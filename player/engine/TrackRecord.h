#pragma once
// A track's current record as the store keeps it: interned ids in one array, technical info only when
// the track has some. Read-only through file_info; the store replaces it whole under its write lock.
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "player/engine/RecordTables.h"
#include "sdk/file_info.h"

namespace player {

class TrackRecord final : public sonavel::file_info {
public:
    explicit TrackRecord(const RecordTables& tables) noexcept : tables_(&tables) {}

    TrackRecord(const TrackRecord&) = delete;
    TrackRecord& operator=(const TrackRecord&) = delete;

    bool present() const noexcept { return data_ != nullptr; }
    // Replaces the record by `source` (interning its texts), or removes it when `source` is null.
    void assign(RecordTables& tables, const sonavel::file_info* source);

    std::size_t meta_get_count() const noexcept override { return data_ ? data_[0] : 0; }
    const char* meta_enum_name(std::size_t field) const noexcept override;
    std::size_t meta_enum_value_count(std::size_t field) const noexcept override;
    const char* meta_enum_value(std::size_t field, std::size_t value) const noexcept override;
    std::size_t meta_find_ex(const char* name, std::size_t length) const noexcept override;

    // Records of the store change only through assign().
    void meta_insert_value_ex(std::size_t, std::size_t, const char*, std::size_t) override { read_only(); }
    std::size_t meta_add_ex(const char*, std::size_t, const char*, std::size_t) override { read_only(); }
    void meta_remove_values(std::size_t, std::size_t, std::size_t) override { read_only(); }
    void meta_remove_field(std::size_t) override { read_only(); }
    void info_set(const char*, const char*) override { read_only(); }
    void info_remove_all() override { read_only(); }
    void set_length(double) override { read_only(); }
    void set_replaygain(const sonavel::replaygain_info&) override { read_only(); }

    std::size_t info_get_count() const noexcept override { return extras_ ? extras_->info.size() : 0; }
    const char* info_enum_name(std::size_t index) const noexcept override;
    const char* info_enum_value(std::size_t index) const noexcept override;
    double get_length() const noexcept override { return extras_ ? extras_->length : 0; }
    sonavel::replaygain_info get_replaygain() const noexcept override {
        return extras_ ? extras_->replaygain : sonavel::replaygain_info{};
    }

    std::size_t heap_bytes() const noexcept;

private:
    [[noreturn]] static void read_only();
    // Offset in data_ of the field's name id; the value count and the value ids follow it.
    std::size_t field_offset(std::size_t field) const noexcept;

    struct extras {
        std::vector<std::pair<std::uint32_t, std::uint32_t>> info;  // name and value ids
        double length = 0;
        sonavel::replaygain_info replaygain;
    };

    const RecordTables* tables_;
    // [field count, then per field: name id, value count, value ids...], in inline_ when it fits: a walk
    // over the library then reads the tracks' memory in order instead of chasing a pointer per track.
    const std::uint32_t* data_ = nullptr;
    std::unique_ptr<std::uint32_t[]> heap_;
    std::unique_ptr<extras> extras_;
    std::uint32_t inline_[16];
};

}  // namespace player
