#pragma once
// A track's metadata record: ordered fields, each with an ordered list of UTF-8 values; technical info;
// length and replay gain. Field names compare without regard to case, values byte for byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sonavel {

struct replaygain_info {
    float album_gain = 0, track_gain = 0, album_peak = 0, track_peak = 0;
    bool album_gain_present = false, track_gain_present = false;
    friend bool operator==(const replaygain_info& a, const replaygain_info& b) noexcept {
        return a.album_gain == b.album_gain && a.track_gain == b.track_gain && a.album_peak == b.album_peak &&
               a.track_peak == b.track_peak && a.album_gain_present == b.album_gain_present &&
               a.track_gain_present == b.track_gain_present;
    }
};

// Implemented by the host (the records of its database, read-only) and by file_info_impl (records that
// anyone composes). Callers of a record from the database hold the database read lock.
class file_info {
public:
    static constexpr std::size_t npos = std::size_t(-1);

    virtual std::size_t meta_get_count() const noexcept = 0;
    virtual const char* meta_enum_name(std::size_t field) const noexcept = 0;
    virtual std::size_t meta_enum_value_count(std::size_t field) const noexcept = 0;
    virtual const char* meta_enum_value(std::size_t field, std::size_t value) const noexcept = 0;
    // Index of the field, compared without regard to case, or npos.
    virtual std::size_t meta_find_ex(const char* name, std::size_t length) const noexcept = 0;
    std::size_t meta_find(const char* name) const noexcept;
    std::size_t meta_find(const std::string& name) const noexcept { return meta_find_ex(name.data(), name.size()); }
    // First value of a field, or nullptr.
    const char* meta_get(const char* name, std::size_t value = 0) const noexcept;

    // Inserts a value at position `at` (clamped to the end) of an existing field.
    virtual void meta_insert_value_ex(std::size_t field, std::size_t at, const char* value, std::size_t length) = 0;
    // Appends a value to the field, creating the field at the end when absent; returns the field index.
    virtual std::size_t meta_add_ex(const char* name, std::size_t name_length, const char* value,
                                    std::size_t value_length) = 0;
    std::size_t meta_add(const char* name, const char* value);
    // Removes `count` values starting at `first`; a field left without values is removed.
    virtual void meta_remove_values(std::size_t field, std::size_t first, std::size_t count) = 0;
    virtual void meta_remove_field(std::size_t field) = 0;
    void meta_remove_all();

    virtual std::size_t info_get_count() const noexcept = 0;
    virtual const char* info_enum_name(std::size_t index) const noexcept = 0;
    virtual const char* info_enum_value(std::size_t index) const noexcept = 0;
    // Sets or replaces a technical-info entry (name compared without regard to case).
    virtual void info_set(const char* name, const char* value) = 0;
    virtual void info_remove_all() = 0;
    std::size_t info_find(const char* name) const noexcept;

    virtual double get_length() const noexcept = 0;
    virtual void set_length(double seconds) = 0;
    virtual replaygain_info get_replaygain() const noexcept = 0;
    virtual void set_replaygain(const replaygain_info& info) = 0;

    // Replaces everything by a deep copy of `source`.
    void copy(const file_info& source);
    // Same fields, values, info, length and replay gain.
    bool equals(const file_info& other) const;

protected:
    file_info() = default;
    file_info(const file_info&) = default;
    file_info& operator=(const file_info&) = default;
    ~file_info() = default;
};

// A record owned by its holder: plain vectors of strings.
class file_info_impl final : public file_info {
public:
    file_info_impl() = default;
    explicit file_info_impl(const file_info& source) { copy_from(source); }
    file_info_impl(const file_info_impl& source) : file_info() { copy_from(source); }
    file_info_impl(file_info_impl&&) noexcept = default;
    file_info_impl& operator=(const file_info_impl& source) {
        if (this != &source) copy_from(source);
        return *this;
    }
    file_info_impl& operator=(file_info_impl&&) noexcept = default;
    // copy() without growing the vectors step by step: records are copied for every track an update
    // writes.
    void copy_from(const file_info& source);
    ~file_info_impl() = default;

    std::size_t meta_get_count() const noexcept override { return fields_.size(); }
    const char* meta_enum_name(std::size_t field) const noexcept override { return fields_[field].name.c_str(); }
    std::size_t meta_enum_value_count(std::size_t field) const noexcept override { return fields_[field].values.size(); }
    const char* meta_enum_value(std::size_t field, std::size_t value) const noexcept override {
        return fields_[field].values[value].c_str();
    }
    std::size_t meta_find_ex(const char* name, std::size_t length) const noexcept override;
    void meta_insert_value_ex(std::size_t field, std::size_t at, const char* value, std::size_t length) override;
    std::size_t meta_add_ex(const char* name, std::size_t name_length, const char* value,
                            std::size_t value_length) override;
    void meta_remove_values(std::size_t field, std::size_t first, std::size_t count) override;
    void meta_remove_field(std::size_t field) override;

    std::size_t info_get_count() const noexcept override { return info_.size(); }
    const char* info_enum_name(std::size_t index) const noexcept override { return info_[index].first.c_str(); }
    const char* info_enum_value(std::size_t index) const noexcept override { return info_[index].second.c_str(); }
    void info_set(const char* name, const char* value) override;
    void info_remove_all() override { info_.clear(); }

    double get_length() const noexcept override { return length_; }
    void set_length(double seconds) override { length_ = seconds; }
    replaygain_info get_replaygain() const noexcept override { return replaygain_; }
    void set_replaygain(const replaygain_info& info) override { replaygain_ = info; }

private:
    struct field {
        std::string name;
        std::vector<std::string> values;
    };
    std::vector<field> fields_;
    std::vector<std::pair<std::string, std::string>> info_;
    double length_ = 0;
    replaygain_info replaygain_;
};

// ASCII-fast case-insensitive equality of field names (tag field names are ASCII in practice; other
// text goes through the platform's case rules).
bool field_name_equals(const char* a, std::size_t a_length, const char* b, std::size_t b_length) noexcept;

}  // namespace sonavel
