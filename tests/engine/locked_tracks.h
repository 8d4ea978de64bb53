#pragma once
// A host reduced to a metadata database that counts its read lock, and tracks whose records complain when
// read without it: for engines that must take the lock themselves.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "sdk/core_api.h"
#include "sdk/metadb.h"

namespace locked_tracks {

inline int lock_depth = 0;

class counting_metadb : public sonavel::metadb {
public:
    using interface_t = sonavel::metadb;
    void database_lock() override { ++lock_depth; }
    void database_unlock() override { --lock_depth; }
    sonavel::metadb_handle_ptr handle_create(const char*, std::uint32_t) override { return {}; }
};

class fake_core final : public sonavel::core_api {
public:
    std::size_t service_count(const sonavel::guid& cls) override { return cls == sonavel::metadb::class_guid ? 1 : 0; }
    sonavel::service_ptr_t<sonavel::service_base> service_create(const sonavel::guid&, std::size_t) override {
        return sonavel::service_ptr_t<sonavel::service_base>(static_cast<sonavel::service_base*>(&db_));
    }
    HWND__* get_main_window() override { return nullptr; }
    bool is_initializing() override { return false; }
    bool is_shutting_down() override { return false; }
    bool are_services_available() override { return true; }
    const char* get_module_path() override { return ""; }
    const char* get_module_file_name() override { return ""; }

private:
    sonavel::service_impl_single_t<counting_metadb> db_;
};

class test_track : public sonavel::metadb_handle {
public:
    using interface_t = sonavel::metadb_handle;
    test_track(std::string path, std::optional<sonavel::file_info_impl> info)
        : path_(std::move(path)), info_(std::move(info)) {}
    const char* get_path() const noexcept override { return path_.c_str(); }
    std::uint32_t get_subsong() const noexcept override { return 0; }
    const sonavel::file_info* get_info_locked() const noexcept override {
        if (lock_depth == 0) ADD_FAILURE() << "record of " << path_ << " read without the lock";
        return info_ ? &*info_ : nullptr;
    }
    bool get_info(sonavel::file_info& out) const override {
        if (info_) out.copy(*info_);
        return info_.has_value();
    }

private:
    std::string path_;
    std::optional<sonavel::file_info_impl> info_;
};

inline sonavel::metadb_handle_ptr track(std::string path, std::optional<sonavel::file_info_impl> info = std::nullopt) {
    return sonavel::service_impl_t<test_track>::create(std::move(path), std::move(info));
}

// Installs the fake host for a test and checks that every lock taken was released.
class WithLockedTracks : public ::testing::Test {
protected:
    void SetUp() override { sonavel::set_core(&core_); }
    void TearDown() override {
        sonavel::set_core(nullptr);
        EXPECT_EQ(lock_depth, 0);
    }
    fake_core core_;
};

}  // namespace locked_tracks
