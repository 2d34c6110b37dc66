#include "document/DataBaseConnector.h"
#include "document/EtikettFiler.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Saved(TDataBaseConnector& connector) {
    TMemoryStream stream;
    TEtikettFiler filer;
    filer.Stream = &stream;
    connector.SaveToFiler(filer);
    return stream.Bytes();
}

// Reads a block (its element code first) into the connector; true when it read.
bool Load(TDataBaseConnector& connector, const Bytes& bytes) {
    TMemoryStream stream(bytes);
    TEtikettFiler filer;
    filer.Stream = &stream;
    EXPECT_EQ(filer.ReadRawByte(), TDataBaseConnector::kElementCode);
    try {
        connector.LoadFromFiler(filer);
    } catch (const EFilerReadError&) {
        return false;
    }
    return stream.Remaining() == 0;
}

void SetStored(TDataBaseConnector& connector, const Bytes& bytes) {
    connector.StoredData.Clear();
    connector.StoredData.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

}  // namespace

TEST(TDataBaseConnector, BlockLayoutAndRoundTrip) {
    TDataBaseConnector source;
    SetStored(source, {0xDE, 0xAD, 0x00, 0x01});
    const Bytes block = Saved(source);
    EXPECT_EQ(block, (Bytes{24, 2, 100, 0, 0, 0, 2, 4, 0, 0, 0, 8, 0xDE, 0xAD, 0x00, 0x01}));

    TDataBaseConnector loaded;
    EXPECT_FALSE(loaded.HasBlock());
    ASSERT_TRUE(Load(loaded, block));
    EXPECT_EQ(loaded.StoredData.Bytes(), (Bytes{0xDE, 0xAD, 0x00, 0x01}));
    // A loaded block is written back by the next save, byte for byte.
    EXPECT_TRUE(loaded.HasBlock());
    EXPECT_EQ(Saved(loaded), block);
}

TEST(TDataBaseConnector, EmptyBlockOfALinkAndSizesThatKeepTheStoredBytes) {
    TDataBaseConnector empty;
    EXPECT_EQ(Saved(empty), (Bytes{24, 2, 100, 0, 0, 0, 2, 0, 0, 0, 0}));

    TDataBaseConnector connector;
    SetStored(connector, {7, 7});
    // Size 0 and a negative size: nothing follows, the stored bytes stay.
    EXPECT_TRUE(Load(connector, {24, 2, 100, 0, 0, 0, 2, 0, 0, 0, 0}));
    EXPECT_TRUE(Load(connector, {24, 2, 100, 0, 0, 0, 2, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(connector.StoredData.Bytes(), (Bytes{7, 7}));
}

TEST(TDataBaseConnector, RefusesSizesBeyondTheBytesOrTheLimit) {
    TDataBaseConnector connector;
    SetStored(connector, {7, 7});
    // Three bytes announced, two there.
    EXPECT_FALSE(Load(connector, {24, 2, 100, 0, 0, 0, 2, 3, 0, 0, 0, 8, 1, 2}));
    // More than the limit, before anything is allocated.
    const int32_t tooLarge = TDataBaseConnector::kMaxBlockSize + 1;
    Bytes block{24, 2, 100, 0, 0, 0, 2};
    for (int shift = 0; shift < 32; shift += 8) block.push_back(static_cast<uint8_t>(tooLarge >> shift));
    EXPECT_FALSE(Load(connector, block));
    EXPECT_EQ(connector.StoredData.Bytes(), (Bytes{7, 7}));
}
