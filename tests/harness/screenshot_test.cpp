// Pictures of windows for people to look at.
#include "tests/harness/screenshot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "tests/harness/message_box.h"
#include "tests/harness/probe_window.h"
#include "tests/harness/pump.h"

namespace {

std::wstring temporary_path(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

std::vector<unsigned char> read_all(const std::wstring& path) {
    std::vector<unsigned char> bytes;
    if (std::FILE* file = _wfopen(path.c_str(), L"rb")) {
        int c;
        while ((c = std::fgetc(file)) != EOF) bytes.push_back((unsigned char)c);
        std::fclose(file);
    }
    return bytes;
}

TEST(HarnessScreenshot, SavesTheClientAreaAsABitmapOfItsSizeAndColour) {
    harness::UnexpectedBoxGuard no_boxes;
    harness_test::ProbeWindow window(L"Picture", RGB(200, 30, 60));
    harness::pump_pending();
    RECT client{};
    GetClientRect(window.hwnd(), &client);
    const std::wstring path = temporary_path(L"harness_screenshot_test.bmp");

    ASSERT_TRUE(harness::save_client_bitmap(window.hwnd(), path));
    const auto bytes = read_all(path);
    DeleteFileW(path.c_str());

    ASSERT_GE(bytes.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    std::memcpy(&file, bytes.data(), sizeof file);
    std::memcpy(&info, bytes.data() + sizeof file, sizeof info);
    EXPECT_EQ(file.bfType, 0x4D42);
    EXPECT_EQ(info.biWidth, client.right);
    EXPECT_EQ(info.biHeight, client.bottom);
    ASSERT_EQ(bytes.size(), file.bfOffBits + std::size_t(client.right) * client.bottom * 4);
    const std::size_t middle = file.bfOffBits + (std::size_t(client.bottom / 2) * client.right + client.right / 2) * 4;
    EXPECT_EQ(bytes[middle + 2], 200);  // BGRA
    EXPECT_EQ(bytes[middle + 1], 30);
    EXPECT_EQ(bytes[middle + 0], 60);
}

}  // namespace
