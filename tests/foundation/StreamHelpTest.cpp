#include "foundation/Exceptions.h"
#include "foundation/StreamHelp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(StreamHelp, ValuesRoundTripBitForBit) {
    TMemoryStream s;
    StreamWriteByte(s, 0xAB);
    StreamWriteInt(s, -2);
    StreamWriteColor(s, 0x00FF8040);
    const float nan = std::numeric_limits<float>::signaling_NaN();
    StreamWriteSingle(s, nan);
    StreamWriteString(s, "");
    StreamWriteString(s, "Etikett \xE4");
    TMemoryStream block;
    StreamWriteBlock(s, block);  // empty block: four zero bytes
    block.WriteBuffer("xyz", 3);
    StreamWriteBlock(s, block);
    StreamWriteInt(s, 77);

    EXPECT_EQ(s.Size(), 1 + 4 + 4 + 4 + 4 + (4 + 9) + 4 + (4 + 3) + 4);
    s.SetPosition(0);
    EXPECT_EQ(StreamReadByte(s), 0xAB);
    EXPECT_EQ(StreamReadInt(s), -2);
    EXPECT_EQ(StreamReadColor(s), 0x00FF8040u);
    const float back = StreamReadSingle(s);
    EXPECT_EQ(std::memcmp(&back, &nan, 4), 0);
    EXPECT_EQ(StreamReadString(s), "");
    EXPECT_EQ(StreamReadString(s), "Etikett \xE4");
    TMemoryStream read;
    StreamReadBlock(s, read);
    EXPECT_EQ(read.Size(), 0);
    StreamReadBlock(s, read);
    EXPECT_EQ(std::string(read.Bytes().begin(), read.Bytes().end()), "xyz");
    EXPECT_EQ(StreamReadInt(s), 77);  // the stream stands just after the block
}

TEST(StreamHelp, LyingLengthsRaiseTheReadErrorWithoutAllocating) {
    struct Case { const char* what; std::vector<uint8_t> bytes; bool block; };
    const Case cases[] = {
        {"string claims 2 GB", {0xFF, 0xFF, 0xFF, 0x7F, 'a'}, false},
        {"string one byte short", {3, 0, 0, 0, 'a', 'b'}, false},
        {"length itself truncated", {3, 0}, false},
        {"block claims 2 GB", {0xFF, 0xFF, 0xFF, 0x7F}, true},
        {"negative block size", {0xFF, 0xFF, 0xFF, 0xFF}, true},
    };
    for (const Case& c : cases) {
        TMemoryStream s(c.bytes);
        TMemoryStream block;
        if (c.block)
            EXPECT_THROW(StreamReadBlock(s, block), EReadError) << c.what;
        else
            EXPECT_THROW(StreamReadString(s), EReadError) << c.what;
    }
    TMemoryStream negative(std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF, 'x'});
    EXPECT_EQ(StreamReadString(negative), "");  // a length below 0 reads as the empty string
}
