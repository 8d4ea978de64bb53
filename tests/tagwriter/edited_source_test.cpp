// A file's bytes as its edits will leave them, read in any piece, equal the edits made on a copy.
#include <gtest/gtest.h>

#include <random>

#include "player/tagwriter/EditedSource.h"

namespace {

using player::tagwriter::ByteEdit;
using player::tagwriter::ByteEdits;
using player::tagwriter::EditedSource;
using player::tagwriter::MemorySource;

std::string applied(std::string bytes, const ByteEdits& edits) {
    for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit)
        bytes.replace(static_cast<std::size_t>(edit->offset), static_cast<std::size_t>(edit->length), edit->bytes);
    return bytes;
}

TEST(EditedSource, EveryPieceReadsAsTheFileWithItsEditsMade) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string original(50 + random() % 200, '\0');
        for (char& c : original) c = static_cast<char>('a' + random() % 26);
        ByteEdits edits;
        std::uint64_t at = random() % 20;
        while (at < original.size()) {
            std::uint64_t length = std::min<std::uint64_t>(random() % 15, original.size() - at);
            edits.push_back({at, length, std::string(random() % 15, static_cast<char>('A' + random() % 26))});
            at += length + 1 + random() % 40;
        }
        if (random() % 2) edits.push_back({original.size(), 0, "TAIL"});  // an append at the end
        const std::string expected = applied(original, edits);
        MemorySource source(original);
        EditedSource edited(source, edits);
        ASSERT_EQ(edited.size(), expected.size());
        for (int read = 0; read < 20; ++read) {
            std::size_t offset = random() % (expected.size() + 1);
            std::size_t count = random() % (expected.size() - offset + 1);
            ASSERT_EQ(edited.read(offset, count), expected.substr(offset, count)) << "round " << round;
        }
        EXPECT_THROW(edited.read(expected.size() - 1, 2), std::exception);
    }
}

}  // namespace
