// The host's storage of the components' configuration blocks.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "player/engine/ConfigStore.h"
#include "player/engine/FileReplacement.h"
#include "sdk/errors.h"
#include "sdk/stream.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A client whose configuration is a byte block it hands out and takes back as it is.
class BlockClient : public sonavel::component_client {
public:
    unsigned get_version() override { return sonavel::client_interface_version; }
    sonavel::service_factory_base* get_service_list() override { return nullptr; }
    void get_config(sonavel::stream_writer* writer, sonavel::abort_callback& abort) override {
        writer->write(block.data(), block.size(), abort);
    }
    void set_config(sonavel::stream_reader* reader, sonavel::abort_callback& abort) override {
        block.clear();
        std::uint8_t byte;
        while (reader->read(&byte, 1, abort) == 1) block.push_back(byte);
        ++loads;
    }
    void set_library_path(const char*, const char*) override {}
    void services_init(bool) override {}
    bool is_debug() override { return false; }

    Bytes block;
    int loads = 0;
};

std::string temp_path(const char* name) {
    return (testing::TempDir() + name);
}

TEST(EngineConfigStore, BlocksGoBackToTheirComponentByName) {
    player::ConfigStore store;
    BlockClient first, second;
    first.block = {1, 0, 2};
    second.block = {9};
    store.save("first.dll", first);
    store.save("second.dll", second);
    first.block.clear();
    store.load("first.dll", first);
    EXPECT_EQ(first.block, (Bytes{1, 0, 2}));
    BlockClient newcomer;
    newcomer.block = {7};
    store.load("newcomer.dll", newcomer);
    EXPECT_TRUE(newcomer.block.empty()) << "a component without a stored block reads an empty one";
    EXPECT_EQ(newcomer.loads, 1);
}

TEST(EngineConfigStore, FileRoundTripKeepsEveryByte) {
    player::ConfigStore store;
    Bytes binary{0, 255, 0, 13, 10, 0};
    store.set_block("quennet.dll", binary);
    store.set_block("other.dll", {});
    std::string path = temp_path("config_store_round_trip.bin");
    store.write_file(path.c_str());
    player::ConfigStore read;
    read.read_file(path.c_str());
    ASSERT_NE(read.block("quennet.dll"), nullptr);
    EXPECT_EQ(*read.block("quennet.dll"), binary);
    ASSERT_NE(read.block("other.dll"), nullptr);
    EXPECT_TRUE(read.block("other.dll")->empty());
    std::remove(path.c_str());
}

TEST(EngineConfigStore, MissingFileIsEmptyAndDamagedFileRaises) {
    player::ConfigStore store;
    store.read_file(temp_path("no_such_config.bin").c_str());
    EXPECT_EQ(store.block("quennet.dll"), nullptr);

    std::string path = temp_path("config_store_cut.bin");
    player::ConfigStore full;
    full.set_block("quennet.dll", Bytes(100, 42));
    full.write_file(path.c_str());
    // Cut the file inside the block.
    {
        sonavel::abort_callback_dummy abort;
        sonavel::file_reader reader(path.c_str());
        std::vector<std::uint8_t> bytes(200);
        bytes.resize(reader.read(bytes.data(), bytes.size(), abort));
        sonavel::file_writer writer(path.c_str());
        writer.write(bytes.data(), bytes.size() - 10, abort);
        writer.flush();
    }
    player::ConfigStore cut;
    EXPECT_THROW(cut.read_file(path.c_str()), sonavel::exception_io_data);
    std::remove(path.c_str());
}

// A component that cannot read the block it is handed.
class RefusingClient : public BlockClient {
public:
    void set_config(sonavel::stream_reader*, sonavel::abort_callback&) override { throw sonavel::exception_io_data(); }
};

Bytes file_of(const player::ConfigStore& store) {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    store.write(writer, abort);
    return writer.data();
}

TEST(EngineConfigStore, EntriesOfComponentsNotLoadedAreWrittenBackByteForByte) {
    player::ConfigStore stored;
    stored.set_block("quennet.dll", {1, 2, 3});
    stored.set_block("gone.dll", {0, 255, 0, 7});
    stored.set_block("", {42});
    const Bytes file = file_of(stored);

    // A run that loads only quennet.dll, which changes its block.
    player::ConfigStore store;
    sonavel::stream_reader_memblock reader(file);
    sonavel::abort_callback_dummy abort;
    store.read(reader, abort);
    BlockClient loaded;
    store.load("quennet.dll", loaded);
    loaded.block = {9, 9};
    store.save("quennet.dll", loaded);

    player::ConfigStore back;
    const Bytes saved = file_of(store);
    sonavel::stream_reader_memblock again(saved);
    back.read(again, abort);
    ASSERT_NE(back.block("gone.dll"), nullptr);
    EXPECT_EQ(*back.block("gone.dll"), (Bytes{0, 255, 0, 7}));
    ASSERT_NE(back.block(""), nullptr);
    EXPECT_EQ(*back.block(""), (Bytes{42}));
    EXPECT_EQ(*back.block("quennet.dll"), (Bytes{9, 9}));
    EXPECT_EQ(file_of(back), file_of(store)) << "what is read back writes the same bytes";
}

TEST(EngineConfigStore, ABlockItsComponentCannotReadIsKeptAsStoredThroughASave) {
    player::ConfigStore store;
    store.set_block("quennet.dll", {5, 4, 3});
    RefusingClient client;
    client.block = {1};
    EXPECT_THROW(store.load("quennet.dll", client), sonavel::exception_io_data) << "the caller is told";
    EXPECT_TRUE(store.held("quennet.dll"));
    store.save("quennet.dll", client);
    ASSERT_NE(store.block("quennet.dll"), nullptr);
    EXPECT_EQ(*store.block("quennet.dll"), (Bytes{5, 4, 3}));

    // Without a stored block there is nothing to keep: the component's own block is saved.
    RefusingClient newcomer;
    newcomer.block = {8};
    EXPECT_THROW(store.load("new.dll", newcomer), sonavel::exception_io_data);
    EXPECT_FALSE(store.held("new.dll"));
    store.save("new.dll", newcomer);
    EXPECT_EQ(*store.block("new.dll"), (Bytes{8}));
}

TEST(EngineConfigStore, ANameWithZeroBytesComesBackWhole) {
    player::ConfigStore store;
    const std::string name("a\0b.dll", 7);
    store.set_block(name, {1});
    store.set_block("a", {2});
    player::ConfigStore back;
    const Bytes saved = file_of(store);
    sonavel::stream_reader_memblock reader(saved);
    sonavel::abort_callback_dummy abort;
    back.read(reader, abort);
    EXPECT_TRUE(back == store);
    ASSERT_NE(back.block(name), nullptr);
    EXPECT_EQ(*back.block(name), (Bytes{1}));
}

}  // namespace

namespace {

std::string contents_of(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[256];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

TEST(EngineFileReplacement, AWriteThatFailsHalfwayLeavesTheOldFileAndNoStagedOne) {
    const std::string path = temp_path("replaced.bin");
    player::write_file_replacing(path, [](sonavel::stream_writer& w, sonavel::abort_callback& a) { w.write("old", 3, a); });
    EXPECT_THROW(player::write_file_replacing(path,
                                              [](sonavel::stream_writer& w, sonavel::abort_callback& a) {
                                                  w.write("ne", 2, a);
                                                  throw sonavel::exception_io_data();
                                              }),
                 sonavel::exception_io_data);
    EXPECT_EQ(contents_of(path), "old");
    EXPECT_EQ(std::fopen(player::staged_path_of(path).c_str(), "rb"), nullptr);

    player::write_file_replacing(path, [](sonavel::stream_writer& w, sonavel::abort_callback& a) { w.write("new", 3, a); });
    EXPECT_EQ(contents_of(path), "new");
    std::remove(path.c_str());
}

}  // namespace
