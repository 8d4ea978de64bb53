// undo_timing: what the history of tag updates costs the player's writer, on real files. Imports the
// files as the player does, then in alternating rounds replaces GENRE in every file with the history off
// and on (the writer's time with and without recording, and the time spent in the recorder itself), and
// last takes back the newest recorded update (one changed value per file) against a plain write of the
// same files.
//   undo_timing <work folder> <file folder> [rounds]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "player/engine/HostEngines.h"
#include "player/history/TagHistory.h"
#include "player/history/TagUndo.h"
#include "player/tagwriter/TagLibTagStore.h"
#include "sdk/core_api.h"
#include "sdk/errors.h"

namespace {

using clock_type = std::chrono::steady_clock;

double ms_since(clock_type::time_point start) {
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

class SetGenre : public sonavel::file_info_filter {
public:
    using interface_t = sonavel::file_info_filter;
    explicit SetGenre(std::string value) : value_(std::move(value)) {}
    bool apply_filter(const sonavel::metadb_handle_ptr&, sonavel::file_info& info) override {
        player::history::set_values(info, "GENRE", {value_});
        return true;
    }

private:
    std::string value_;
};

class Done : public sonavel::completion_notify {
public:
    using interface_t = sonavel::completion_notify;
    explicit Done(unsigned& code) : code_(code) {}
    void on_completion(unsigned code) override { code_ = code; }

private:
    unsigned& code_;
};

// The history, with the time spent in it summed up.
class TimedRecorder final : public player::UpdateRecorder {
public:
    explicit TimedRecorder(player::history::TagHistory& history) : history_(history) {}
    std::int64_t begin_update(const std::string& origin) override {
        auto start = clock_type::now();
        auto id = history_.begin_update(origin);
        add(start);
        return id;
    }
    void record(std::int64_t update, const std::vector<player::TagWrite>& group) override {
        auto start = clock_type::now();
        history_.record(update, group);
        add(start);
    }
    void record_outcomes(std::int64_t update, const std::vector<player::TagWrite>& group) override {
        auto start = clock_type::now();
        history_.record_outcomes(update, group);
        add(start);
    }
    void end_update(std::int64_t update) override {
        auto start = clock_type::now();
        history_.end_update(update);
        add(start);
    }
    double take_ms() { return std::exchange(ms_, 0.0); }

private:
    void add(clock_type::time_point start) {
        std::lock_guard<std::mutex> guard(lock_);
        ms_ += ms_since(start);
    }
    player::history::TagHistory& history_;
    std::mutex lock_;
    double ms_ = 0;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: undo_timing <work folder> <file folder> [rounds]\n", stderr);
        return 2;
    }
    const std::string work = argv[1];
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    std::vector<std::string> files;
    for (const auto& item : std::filesystem::directory_iterator(std::filesystem::u8path(argv[2])))
        files.push_back(item.path().u8string());
    std::sort(files.begin(), files.end());

    player::HostEngines engines;
    engines.console.set_mirror(false);
    player::TagLibTagStore store(work);
    engines.tags = &store;
    engines.register_services();
    engines.start();
    const std::string db = (std::filesystem::u8path(work) / "history.db").u8string();
    std::filesystem::remove(std::filesystem::u8path(db));
    player::history::TagHistory history(db, {});
    TimedRecorder timed(history);

    sonavel::metadb_handle_list tracks;
    for (const auto& path : files) {
        player::FieldValues fields;
        for (auto& [name, values] : player::tagwriter::read_fields(path)) fields.emplace_back(name, values);
        tracks.push_back(engines.add_track(path, fields, false));
    }

    auto write = [&](const std::string& genre) {
        unsigned code = ~0u;
        auto start = clock_type::now();
        engines.io.update_info_async(tracks, sonavel::service_impl_t<SetGenre>::create(genre), nullptr, 0,
                                     sonavel::service_impl_t<Done>::create(code));
        engines.run_until([&] { return code != ~0u; }, 24 * 3600 * 1000);
        engines.run_until_idle();
        if (code != sonavel::completion_notify::success) std::fprintf(stderr, "write of %s: code %u\n", genre.c_str(), code);
        return ms_since(start);
    };

    std::vector<double> plain, recorded, in_recorder;
    for (int r = 0; r < rounds; ++r) {
        engines.recorder = nullptr;
        plain.push_back(write("Plain" + std::to_string(r)));
        engines.recorder = &timed;
        recorded.push_back(write("Recorded" + std::to_string(r)));
        in_recorder.push_back(timed.take_ms());
    }

    // The newest update (one changed GENRE value per file) taken back, against a plain write of the files.
    std::vector<double> undo, undo_in_recorder, reference;
    for (int r = 0; r < rounds; ++r) {
        bool done = false;
        auto start = clock_type::now();
        if (!player::history::undo_latest(engines, history, nullptr, [&](const player::history::UndoResult& result) {
                done = true;
                if (!result.skipped.empty()) std::fprintf(stderr, "undo skipped %zu files\n", result.skipped.size());
            })) {
            std::fputs("nothing to undo\n", stderr);
            return 1;
        }
        engines.run_until([&] { return done; }, 24 * 3600 * 1000);
        engines.run_until_idle();
        undo.push_back(ms_since(start));
        undo_in_recorder.push_back(timed.take_ms());
        engines.recorder = nullptr;
        reference.push_back(write("Reference" + std::to_string(r)));
        engines.recorder = &timed;
        // Something new to take back in the next round.
        write("Again" + std::to_string(r));
        timed.take_ms();
    }

    const std::size_t n = tracks.size();
    std::printf("# %zu files, one GENRE value replaced in each; median of %d rounds, ms\n", n, rounds);
    std::printf("write without history: %.0f ms\n", median(plain));
    std::printf("write with history: %.0f ms\n", median(recorded));
    std::printf("time in the recorder during the write: %.0f ms (%.1f%% of the write without history)\n",
                median(in_recorder), 100.0 * median(in_recorder) / median(plain));
    std::printf("difference of the medians: %+.1f%%\n", 100.0 * (median(recorded) - median(plain)) / median(plain));
    std::printf("undo of %zu changed values: %.0f ms (of which %.0f ms recording the undo itself)\n", n, median(undo),
                median(undo_in_recorder));
    std::printf("plain write of the same files: %.0f ms\n", median(reference));
    std::printf("ratio undo/plain write: %.2f\n", median(undo) / median(reference));
    return 0;
}
