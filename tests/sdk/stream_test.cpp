// Byte streams: tolerant and exact reads at their boundaries, skipping, integers, counted strings,
// files by UTF-8 path and the abort token.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "sdk/stream.h"
#include "sdk/utf8.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using namespace sonavel;
using bytes_t = std::vector<std::uint8_t>;

bytes_t bytes(std::initializer_list<int> values) {
    bytes_t out;
    for (int v : values) out.push_back(std::uint8_t(v));
    return out;
}

bytes_t sequence(std::size_t size) {
    bytes_t out(size);
    for (std::size_t i = 0; i < size; ++i) out[i] = std::uint8_t(i * 7 + 1);
    return out;
}

// Implements only the tolerant read, so skip() is the stream's generic chunked one.
class plain_reader final : public stream_reader {
public:
    explicit plain_reader(const bytes_t& data) : inner_(data) {}
    std::size_t read(void* buffer, std::size_t bytes, abort_callback& abort) override {
        return inner_.read(buffer, bytes, abort);
    }
    std::size_t remaining() const { return inner_.remaining(); }

private:
    stream_reader_memblock inner_;
};

// The exact read's error, with the message the user sees.
#define EXPECT_TRUNCATION(statement)                                                    \
    try {                                                                               \
        statement;                                                                      \
        ADD_FAILURE() << "no stream error from " #statement;                            \
    } catch (const exception_io_data_truncation& e) {                                   \
        EXPECT_STREQ(e.what(), "Unsupported format or corrupted file");                 \
    }

TEST(StreamTolerantRead, ReturnsWhatIsLeftAndThenNothing) {
    bytes_t data = sequence(5);
    stream_reader_memblock reader(data);
    abort_callback_dummy abort;
    std::uint8_t buffer[16] = {};

    EXPECT_EQ(reader.read(buffer, 3, abort), 3u);
    EXPECT_EQ(reader.read(buffer, 8, abort), 2u);
    EXPECT_EQ(buffer[0], data[3]);
    EXPECT_EQ(buffer[1], data[4]);
    EXPECT_EQ(reader.read(buffer, 1, abort), 0u);
    EXPECT_EQ(reader.read(buffer, 0, abort), 0u);
}

TEST(StreamTolerantRead, EmptyStreamGivesNothing) {
    stream_reader_memblock reader(nullptr, 0);
    abort_callback_dummy abort;
    std::uint8_t buffer[4];
    EXPECT_EQ(reader.read(buffer, sizeof buffer, abort), 0u);
    EXPECT_EQ(reader.skip(10, abort), 0u);
}

TEST(StreamExactRead, ReadingExactlyToTheEndSucceeds) {
    bytes_t data = sequence(6);
    stream_reader_memblock reader(data);
    abort_callback_dummy abort;
    bytes_t got(6);
    reader.read_object(got.data(), 6, abort);
    EXPECT_EQ(got, data);
    EXPECT_EQ(reader.remaining(), 0u);
    // Nothing asked, nothing missing.
    reader.read_object(got.data(), 0, abort);
}

TEST(StreamExactRead, OneBytePastTheEndRaisesTheStreamError) {
    bytes_t data = sequence(6);
    abort_callback_dummy abort;
    bytes_t got(7);
    {
        stream_reader_memblock reader(data);
        EXPECT_TRUNCATION(reader.read_object(got.data(), 7, abort));
    }
    {
        stream_reader_memblock reader(data);
        reader.read_object(got.data(), 6, abort);
        EXPECT_TRUNCATION(reader.read_object(got.data(), 1, abort));
    }
}

TEST(StreamExactRead, StreamErrorIsTheHostsDataError) {
    stream_reader_memblock reader(nullptr, 0);
    abort_callback_dummy abort;
    try {
        reader.read_lendian_u32(abort);
        FAIL() << "an empty stream holds no integer";
    } catch (const exception_io_data& e) {
        EXPECT_NE(dynamic_cast<const exception_io_data_truncation*>(&e), nullptr);
        const sonavel::exception& root = e;
        EXPECT_STREQ(root.what(), "Unsupported format or corrupted file");
    }
}

TEST(StreamExactRead, EmptyStreamRaisesForEveryTypedRead) {
    abort_callback_dummy abort;
    stream_reader_memblock reader(nullptr, 0);
    EXPECT_TRUNCATION(reader.read_lendian_u32(abort));
    EXPECT_TRUNCATION(reader.read_lendian_i32(abort));
    EXPECT_TRUNCATION(reader.read_lendian_u64(abort));
    EXPECT_TRUNCATION(reader.read_string(abort));
    EXPECT_TRUNCATION(reader.skip_object(1, abort));
    reader.skip_object(0, abort);
}

TEST(StreamExactRead, IntegerCutShortRaises) {
    abort_callback_dummy abort;
    bytes_t three = bytes({1, 2, 3});
    stream_reader_memblock reader(three);
    EXPECT_TRUNCATION(reader.read_lendian_u32(abort));

    bytes_t six = sequence(6);
    stream_reader_memblock reader64(six);
    EXPECT_TRUNCATION(reader64.read_lendian_u64(abort));
}

TEST(StreamLimitedReader, EndsMidIntegerWithoutReadingPastItsLimit) {
    bytes_t data = bytes({0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00});
    stream_reader_memblock base(data);
    stream_reader_limited limited(base, 6);
    abort_callback_dummy abort;

    EXPECT_EQ(limited.read_lendian_u32(abort), 1u);
    EXPECT_EQ(limited.remaining(), 2u);
    EXPECT_TRUNCATION(limited.read_lendian_u32(abort));
    EXPECT_EQ(limited.remaining(), 0u);
    // The two bytes after the limit still belong to the outer stream.
    EXPECT_EQ(base.remaining(), 2u);
    std::uint8_t tail[2];
    EXPECT_EQ(base.read(tail, 2, abort), 2u);
    EXPECT_EQ(tail[0], 0x00);
}

TEST(StreamLimitedReader, TolerantReadAndSkipStopAtTheLimit) {
    bytes_t data = sequence(20);
    stream_reader_memblock base(data);
    stream_reader_limited limited(base, 8);
    abort_callback_dummy abort;
    std::uint8_t buffer[32];

    EXPECT_EQ(limited.read(buffer, 5, abort), 5u);
    EXPECT_EQ(limited.skip(100, abort), 3u);
    EXPECT_EQ(limited.read(buffer, 1, abort), 0u);
    EXPECT_EQ(limited.skip(1, abort), 0u);
    EXPECT_EQ(base.remaining(), 12u);
}

TEST(StreamLimitedReader, ShorterBaseEndsFirst) {
    bytes_t data = sequence(3);
    stream_reader_memblock base(data);
    stream_reader_limited limited(base, 10);
    abort_callback_dummy abort;
    std::uint8_t buffer[10];
    EXPECT_EQ(limited.read(buffer, 10, abort), 3u);
    EXPECT_EQ(limited.remaining(), 7u);
    EXPECT_TRUNCATION(limited.read_object(buffer, 1, abort));
}

TEST(StreamSkip, PastTheEndSkipsWhatIsThere) {
    bytes_t data = sequence(10);
    abort_callback_dummy abort;
    stream_reader_memblock reader(data);
    EXPECT_EQ(reader.skip(4, abort), 4u);
    EXPECT_EQ(reader.skip(100, abort), 6u);
    EXPECT_EQ(reader.skip(1, abort), 0u);

    stream_reader_memblock exact(data);
    exact.skip_object(10, abort);
    stream_reader_memblock beyond(data);
    EXPECT_TRUNCATION(beyond.skip_object(11, abort));
}

TEST(StreamSkip, GenericSkipReadsInChunksUpToTheEnd) {
    // More than one internal chunk, so the loop runs several times before meeting the end.
    bytes_t data = sequence(9000);
    abort_callback_dummy abort;
    plain_reader reader(data);
    EXPECT_EQ(reader.skip(4097, abort), 4097u);
    EXPECT_EQ(reader.remaining(), 9000u - 4097u);
    EXPECT_EQ(reader.skip(100000, abort), 9000u - 4097u);
    EXPECT_EQ(reader.skip(1, abort), 0u);

    plain_reader short_reader(data);
    EXPECT_TRUNCATION(short_reader.skip_object(9001, abort));
}

TEST(StreamIntegers, AreLittleEndian) {
    stream_writer_buffer writer;
    abort_callback_dummy abort;
    writer.write_lendian_u32(0x11223344u, abort);
    writer.write_lendian_u64(0x0102030405060708ull, abort);
    writer.write_lendian_i32(-2, abort);
    EXPECT_EQ(writer.data(), bytes({0x44, 0x33, 0x22, 0x11, 0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0xFE,
                                    0xFF, 0xFF, 0xFF}));

    stream_reader_memblock reader(writer.data());
    EXPECT_EQ(reader.read_lendian_u32(abort), 0x11223344u);
    EXPECT_EQ(reader.read_lendian_u64(abort), 0x0102030405060708ull);
    EXPECT_EQ(reader.read_lendian_i32(abort), -2);
    EXPECT_EQ(reader.remaining(), 0u);
}

TEST(StreamIntegers, HighBitsSurviveTheRoundTrip) {
    stream_writer_buffer writer;
    abort_callback_dummy abort;
    writer.write_lendian_u32(0xFFFFFFFFu, abort);
    writer.write_lendian_u64(0x8000000000000001ull, abort);
    stream_reader_memblock reader(writer.data());
    EXPECT_EQ(reader.read_lendian_u32(abort), 0xFFFFFFFFu);
    EXPECT_EQ(reader.read_lendian_u64(abort), 0x8000000000000001ull);
}

TEST(StreamStrings, AreCountedUtf8) {
    stream_writer_buffer writer;
    abort_callback_dummy abort;
    writer.write_string("h\xC3\xA9", abort);
    writer.write_string("", abort);
    EXPECT_EQ(writer.data(), bytes({3, 0, 0, 0, 'h', 0xC3, 0xA9, 0, 0, 0, 0}));

    stream_reader_memblock reader(writer.data());
    EXPECT_EQ(reader.read_string(abort), "h\xC3\xA9");
    EXPECT_EQ(reader.read_string(abort), "");
    EXPECT_EQ(reader.remaining(), 0u);
}

TEST(StreamStrings, WriteStopsAtTheFirstZeroByte) {
    stream_writer_buffer writer;
    abort_callback_dummy abort;
    writer.write_string(std::string("ab\0cd", 5), abort);
    EXPECT_EQ(writer.data(), bytes({2, 0, 0, 0, 'a', 'b'}));
}

TEST(StreamStrings, ReadKeepsEveryCountedByte) {
    bytes_t data = bytes({3, 0, 0, 0, 'a', 0, 'b'});
    stream_reader_memblock reader(data);
    abort_callback_dummy abort;
    EXPECT_EQ(reader.read_string(abort), std::string("a\0b", 3));
}

TEST(StreamStrings, LongerThanTheFirstReadChunkRoundTrip) {
    abort_callback_dummy abort;
    for (std::size_t size : {std::size_t(65535), std::size_t(65536), std::size_t(65537), std::size_t(200000)}) {
        std::string text(size, 'x');
        for (std::size_t i = 0; i < size; ++i) text[i] = char('a' + i % 26);
        stream_writer_buffer writer;
        writer.write_string(text, abort);
        writer.write_lendian_u32(0xCAFEF00Du, abort);
        ASSERT_EQ(writer.data().size(), 4 + size + 4);

        stream_reader_memblock reader(writer.data());
        EXPECT_EQ(reader.read_string(abort), text) << size;
        EXPECT_EQ(reader.read_lendian_u32(abort), 0xCAFEF00Du) << size;
    }
}

TEST(StreamStrings, CountLargerThanTheDataRaisesWithoutClaimingItsMemory) {
    abort_callback_dummy abort;
    bytes_t data = bytes({0xF0, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j'});
    auto start = std::chrono::steady_clock::now();
    stream_reader_memblock reader(data);
    // Trusting the count would ask for 4 GB: on 32-bit that fails as bad_alloc or length_error instead of
    // the stream error, natively it takes seconds.
    EXPECT_TRUNCATION(reader.read_string(abort));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

    // Cut short beyond the first chunk too.
    std::string text(100000, 'q');
    stream_writer_buffer writer;
    writer.write_string(text, abort);
    writer.data().resize(4 + 70000);
    stream_reader_memblock cut(writer.data());
    EXPECT_TRUNCATION(cut.read_string(abort));
}

class StreamFiles : public ::testing::Test {
protected:
    void SetUp() override {
        auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        folder_ = std::filesystem::temp_directory_path() / ("sdk-stream-test-" + std::to_string(stamp));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string utf8_path(const std::string& name) const {
        std::string base = folder_.u8string();
        return base + "/" + name;
    }

    std::filesystem::path folder_;
};

// Latin, Cyrillic and a code point outside the BMP (a surrogate pair in the wide path).
const std::string non_ascii_name = "t\xC3\xAB" "st-\xD0\x94\xD0\xB4-\xF0\x9F\x98\x80.bin";

TEST_F(StreamFiles, WriterAndReaderRoundTripUnderANonAsciiName) {
    abort_callback_dummy abort;
    std::string path = utf8_path(non_ascii_name);
    bytes_t payload = sequence(70000);
    {
        file_writer writer(path.c_str());
        writer.write_lendian_u32(0xA1B2C3D4u, abort);
        writer.write_string("Bj\xC3\xB6rk", abort);
        writer.write(payload.data(), payload.size(), abort);
        writer.flush();
    }

    // The file must carry the name itself, not a code-page mangling of it.
    std::vector<std::filesystem::path> entries;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) entries.push_back(entry.path().filename());
    ASSERT_EQ(entries.size(), 1u);
#ifdef _WIN32
    EXPECT_EQ(entries[0].wstring(), utf8_to_wide(non_ascii_name));
    EXPECT_NE(GetFileAttributesW(utf8_to_wide(path).c_str()), INVALID_FILE_ATTRIBUTES);
#else
    EXPECT_EQ(entries[0].string(), non_ascii_name);
#endif

    file_reader reader(path.c_str());
    EXPECT_EQ(reader.read_lendian_u32(abort), 0xA1B2C3D4u);
    EXPECT_EQ(reader.read_string(abort), "Bj\xC3\xB6rk");
    bytes_t back(payload.size() + 10);
    EXPECT_EQ(reader.read(back.data(), back.size(), abort), payload.size());
    back.resize(payload.size());
    EXPECT_EQ(back, payload);
    EXPECT_TRUNCATION(reader.read_lendian_u32(abort));
}

TEST_F(StreamFiles, WriterTruncatesAnExistingFile) {
    abort_callback_dummy abort;
    std::string path = utf8_path(non_ascii_name);
    {
        file_writer writer(path.c_str());
        bytes_t big = sequence(1000);
        writer.write(big.data(), big.size(), abort);
    }
    {
        file_writer writer(path.c_str());
        writer.write_lendian_u32(7, abort);
    }
    file_reader reader(path.c_str());
    EXPECT_EQ(reader.read_lendian_u32(abort), 7u);
    std::uint8_t extra;
    EXPECT_EQ(reader.read(&extra, 1, abort), 0u);
}

TEST_F(StreamFiles, MissingFileRaisesTheDataError) {
    std::string path = utf8_path("absent-\xC3\xA4.bin");
    try {
        file_reader reader(path.c_str());
        FAIL() << "opened a file that does not exist";
    } catch (const exception_io_data& e) {
        EXPECT_STREQ(e.what(), "Unsupported format or corrupted file");
    }
    std::string in_missing_folder = utf8_path("no-such-folder/file.bin");
    EXPECT_THROW(file_writer writer(in_missing_folder.c_str()), exception_io_data);
}

TEST(StreamAbort, AbortedTokenRaisesUserAbortUntilReset) {
    bytes_t data = sequence(16);
    stream_reader_memblock reader(data);
    stream_writer_buffer writer;
    abort_callback_impl abort;
    std::uint8_t buffer[4];

    abort.abort();
    try {
        reader.read(buffer, 4, abort);
        FAIL() << "read went on after abort";
    } catch (const exception_aborted& e) {
        EXPECT_STREQ(e.what(), "User abort");
    }
    EXPECT_THROW(reader.skip(4, abort), exception_aborted);
    EXPECT_THROW(reader.read_string(abort), exception_aborted);
    EXPECT_THROW(writer.write(buffer, 4, abort), exception_aborted);
    EXPECT_TRUE(writer.data().empty());
    EXPECT_EQ(reader.remaining(), 16u);

    abort.reset();
    EXPECT_EQ(reader.read(buffer, 4, abort), 4u);
}

TEST(StreamAbort, UserAbortIsNoDataError) {
    // Callers that forgive damaged data must still stop when the user aborts.
    abort_callback_impl abort;
    abort.abort();
    try {
        abort.check();
        FAIL() << "check passed while aborting";
    } catch (const exception_io_data&) {
        FAIL() << "abort looks like damaged data";
    } catch (const sonavel::exception& e) {
        EXPECT_NE(dynamic_cast<const exception_aborted*>(&e), nullptr);
    }
}

TEST(StreamAbort, FileStreamsPollTheToken) {
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    auto path = std::filesystem::temp_directory_path() / ("sdk-stream-abort-" + std::to_string(stamp) + ".bin");
    std::string utf8 = path.u8string();
    abort_callback_impl abort;
    {
        file_writer writer(utf8.c_str());
        writer.write_lendian_u32(1, abort);
        abort.abort();
        EXPECT_THROW(writer.write_lendian_u32(2, abort), exception_aborted);
    }
    {
        file_reader reader(utf8.c_str());
        EXPECT_THROW(reader.read_lendian_u32(abort), exception_aborted);
        abort.reset();
        EXPECT_EQ(reader.read_lendian_u32(abort), 1u);
        EXPECT_TRUNCATION(reader.read_lendian_u32(abort));
    }
    std::filesystem::remove(path);
}

}  // namespace
