// tagwrite: the player's tag writer on the command line, for benchmarks and for tests that kill it in
// the middle of a write. It imports the files as the player does (their records read through TagLib),
// then asks the player's metadb_io to add a value to a field of every track, and prints each failure.
//   tagwrite --journal <folder> --add FIELD=VALUE <file or folder>...   (a folder: the files in it)
//   tagwrite --journal <folder> --recover
// Exit code: 0 when every file was written, 1 when some were not, 2 on a usage error.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "player/engine/HostEngines.h"
#include "player/tagwriter/TagLibTagStore.h"
#include "player/tagwriter/TaskPool.h"
#include "player/tagwriter/TagWriteJournal.h"
#include "sdk/core_api.h"
#include "sdk/errors.h"

namespace {

class AddValue : public sonavel::file_info_filter {
public:
    using interface_t = sonavel::file_info_filter;
    AddValue(std::string field, std::string value) : field_(std::move(field)), value_(std::move(value)) {}
    bool apply_filter(const sonavel::metadb_handle_ptr&, sonavel::file_info& info) override {
        info.meta_add(field_.c_str(), value_.c_str());
        return true;
    }

private:
    std::string field_, value_;
};

class Done : public sonavel::completion_notify {
public:
    using interface_t = sonavel::completion_notify;
    explicit Done(unsigned& code) : code_(code) {}
    void on_completion(unsigned code) override { code_ = code; }

private:
    unsigned& code_;
};

int usage() {
    std::fputs("usage: tagwrite --journal <folder> (--add FIELD=VALUE <file>... | --recover)\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string journal, field, value;
    bool recover = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--journal") && i + 1 < argc) {
            journal = argv[++i];
        } else if (!std::strcmp(argv[i], "--recover")) {
            recover = true;
        } else if (!std::strcmp(argv[i], "--add") && i + 1 < argc) {
            std::string assignment = argv[++i];
            std::size_t equals = assignment.find('=');
            if (equals == std::string::npos) return usage();
            field = assignment.substr(0, equals);
            value = assignment.substr(equals + 1);
        } else if (std::filesystem::is_directory(std::filesystem::u8path(argv[i]))) {
            std::vector<std::string> listed;
            for (const auto& item : std::filesystem::directory_iterator(std::filesystem::u8path(argv[i])))
                listed.push_back(item.path().u8string());
            std::sort(listed.begin(), listed.end());
            files.insert(files.end(), listed.begin(), listed.end());
        } else {
            files.emplace_back(argv[i]);
        }
    }
    if (journal.empty()) return usage();
    if (recover) {
        for (const auto& line : player::tagwriter::recover_tag_writes(journal)) std::puts(line.c_str());
        return 0;
    }
    if (field.empty()) return usage();

    player::HostEngines engines;
    player::TagLibTagStore store(journal);
    engines.tags = &store;
    engines.register_services();
    engines.start();

    // Read side by side, as the player's library scan reads, and taken in the order of the listing.
    std::vector<player::tagwriter::FieldMap> read(files.size());
    std::vector<std::string> errors(files.size());
    player::tagwriter::TaskPool readers(std::max(1u, std::thread::hardware_concurrency()) - 1);
    readers.for_each(files.size(), [&](std::size_t i) {
        try {
            read[i] = player::tagwriter::read_fields(files[i]);
        } catch (const std::exception& e) {
            errors[i] = sonavel::message_of(e);
            if (errors[i].empty()) errors[i] = "unreadable";
        }
    });
    sonavel::metadb_handle_list tracks;
    int unreadable = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!errors[i].empty()) {
            std::printf("Could not read %s: %s\n", files[i].c_str(), errors[i].c_str());
            ++unreadable;
            continue;
        }
        player::FieldValues fields;
        for (auto& [name, values] : read[i]) fields.emplace_back(name, values);
        tracks.push_back(engines.add_track(files[i], fields, false));
    }

    auto start = std::chrono::steady_clock::now();
    unsigned code = ~0u;
    engines.io.update_info_async(tracks, sonavel::service_impl_t<AddValue>::create(field, value), nullptr, 0,
                                 sonavel::service_impl_t<Done>::create(code));
    engines.run_until([&] { return code != ~0u; }, 24 * 60 * 60 * 1000);
    engines.run_until_idle();
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "wrote %zu files in %.1f ms\n", tracks.size(), ms);
    return code == sonavel::completion_notify::success && unreadable == 0 ? 0 : 1;
}
