#pragma once
// Entries of the host's advanced preferences. The value entries own the configuration variable they
// show, and share its GUID, so the entry and the stored value cannot drift apart.
#include <cstdint>
#include <string>

#include "sdk/advconfig.h"
#include "sdk/cfg_var.h"

namespace quennet {

// Implemented for the host, like the two entries below; main thread.
class advconfig_branch_impl : public sonavel::advconfig_branch {
public:
    using interface_t = sonavel::advconfig_branch;

    advconfig_branch_impl(std::string name, const sonavel::guid& id, const sonavel::guid& parent, double sort_priority);

    void get_name(std::string& out) override { out = name_; }
    sonavel::guid get_guid() override { return id_; }
    sonavel::guid get_parent() override { return parent_; }
    void reset() override {}
    double get_sort_priority() override { return sort_priority_; }

private:
    std::string name_;
    sonavel::guid id_;
    sonavel::guid parent_;
    double sort_priority_;
};

// The decimal digits at the start of `text` (none, or anything before them: 0), clamped to
// [minimum, maximum]. A number too large for 64 bits gives the maximum.
std::uint64_t integer_from_text(const char* text, std::uint64_t minimum, std::uint64_t maximum);

struct IntegerBounds {
    std::uint64_t initial;
    std::uint64_t minimum;
    std::uint64_t maximum;
};

// An unsigned integer the user edits as text.
class advconfig_entry_integer_impl : public sonavel::advconfig_entry_string {
public:
    using interface_t = sonavel::advconfig_entry_string;

    advconfig_entry_integer_impl(std::string name, const sonavel::guid& id, const sonavel::guid& parent,
                                 double sort_priority, IntegerBounds bounds, unsigned preference_flags);

    void get_name(std::string& out) override { out = name_; }
    sonavel::guid get_guid() override { return value_.get_guid(); }
    sonavel::guid get_parent() override { return parent_; }
    void reset() override { value_ = bounds_.initial; }
    double get_sort_priority() override { return sort_priority_; }

    // Shown and entered in decimal.
    void get_state(std::string& out) override;
    void set_state(const char* text) override;
    // An unsigned integer entry, with the preference flags it was given.
    unsigned get_flags() override { return flag_is_integer | preference_flags_; }

    sonavel::cfg_int_t<std::uint64_t>& variable() noexcept { return value_; }

private:
    std::string name_;
    sonavel::guid parent_;
    double sort_priority_;
    IntegerBounds bounds_;
    unsigned preference_flags_;
    sonavel::cfg_int_t<std::uint64_t> value_;
};

class advconfig_entry_checkbox_impl : public sonavel::advconfig_entry_checkbox {
public:
    using interface_t = sonavel::advconfig_entry_checkbox;

    advconfig_entry_checkbox_impl(std::string name, const sonavel::guid& id, const sonavel::guid& parent,
                                  double sort_priority, bool initial, bool radio);

    void get_name(std::string& out) override { out = name_; }
    sonavel::guid get_guid() override { return value_.get_guid(); }
    sonavel::guid get_parent() override { return parent_; }
    void reset() override { value_ = initial_; }
    double get_sort_priority() override { return sort_priority_; }

    bool get_state() override { return value_; }
    void set_state(bool state) override { value_ = state; }
    bool is_radio() override { return radio_; }

    sonavel::cfg_int_t<bool>& variable() noexcept { return value_; }

private:
    std::string name_;
    sonavel::guid parent_;
    double sort_priority_;
    bool initial_;
    bool radio_;
    sonavel::cfg_int_t<bool> value_;
};

}  // namespace quennet
