// What the history window tells of one update: each distinct change once, with its values before and
// after, how many files took it and a few of their names.
#include <gtest/gtest.h>

#include "player/history/HistoryWindowDetails.h"

namespace {

using player::history::describe_changes;
using player::history::FileChanges;

TEST(HistoryWindowDetails, TheSameChangeInSeveralFilesIsOneLineWithTheirCountAndFirstNames) {
    std::vector<FileChanges> files;
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3"})
        files.push_back({std::string("C:\\Music\\") + name, {{"GENRE", {"Rock"}, {"Rock", "Blues"}}}});
    files.push_back({"C:\\Music\\f.mp3", {{"GENRE", {}, {"Blues"}}, {"MOOD", {"Calm"}, {}}}});
    auto lines = describe_changes(files);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "GENRE: \"Rock\" -> \"Rock\"; \"Blues\" (5 files: a.mp3, b.mp3, c.mp3 and 2 more)");
    EXPECT_EQ(lines[1], "GENRE: (none) -> \"Blues\" (1 file: f.mp3)");
    EXPECT_EQ(lines[2], "MOOD: \"Calm\" -> (none) (1 file: f.mp3)");
}

TEST(HistoryWindowDetails, ManyDifferentChangesEndWithHowManyMoreThereAre) {
    std::vector<FileChanges> files;
    for (int i = 0; i < 20; ++i) files.push_back({"t" + std::to_string(i) + ".mp3", {{"TITLE", {}, {std::to_string(i)}}}});
    auto lines = describe_changes(files, 12);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines.back(), "... and 8 more changes");
    EXPECT_TRUE(describe_changes({}).empty());
}

}  // namespace
