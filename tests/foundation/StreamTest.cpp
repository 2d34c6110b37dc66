#include "foundation/Exceptions.h"
#include "foundation/Stream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

TEST(Stream, ReadBufferRefusesToReadPastTheEnd) {
    TMemoryStream s(std::vector<uint8_t>{1, 2, 3});
    uint8_t buf[4] = {};
    EXPECT_THROW(s.ReadBuffer(buf, 4), EReadError);
    EXPECT_EQ(s.Position(), 0);  // nothing was consumed
    s.ReadBuffer(buf, 3);
    EXPECT_EQ(buf[2], 3);
    EXPECT_THROW(s.RequireAvailable(1), EReadError);
    EXPECT_THROW(s.RequireAvailable(-1), EReadError);
}

TEST(Stream, MemoryAndFileStreamsRoundTrip) {
    TMemoryStream m;
    const char text[] = "label";
    m.WriteBuffer(text, 5);
    m.SetPosition(2);
    m.WriteBuffer("XYZW", 4);  // grows past the old end
    EXPECT_EQ(std::string(m.Bytes().begin(), m.Bytes().end()), "laXYZW");

    const std::string path = (std::filesystem::temp_directory_path() / "zorbit_stream_test.bin").string();
    m.SaveToFile(path);
    TMemoryStream back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.Bytes(), m.Bytes());
    std::remove(path.c_str());
    EXPECT_THROW(TFileStream(path, FileMode::OpenRead), EFOpenError);
}
