#include "engine/zb_zlib.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

TEST(ZBZLib, RoundTripsWhateverTheSizeHint) {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "In the beginning God created the heaven and the earth. ";
    for (auto level : {TCompressionLevel::None, TCompressionLevel::Fastest, TCompressionLevel::Default,
                       TCompressionLevel::Max}) {
        std::string packed = CompressBlock(text, level);
        for (size_t hint : {size_t{0}, size_t{1}, text.size(), text.size() * 3, size_t{0xFFFFFFFF}})
            EXPECT_EQ(DecompressBlock(Bytes(packed), packed.size(), hint), text);
    }
    std::string empty = CompressBlock("", TCompressionLevel::Max);
    EXPECT_EQ(DecompressBlock(Bytes(empty), empty.size(), 0), "");
}

TEST(ZBZLib, CorruptAndTruncatedStreamsRaise) {
    std::string packed = CompressBlock("Jesus wept. Jesus wept. Jesus wept.", TCompressionLevel::Max);
    std::string corrupt = packed;
    corrupt[0] = 0x12;
    EXPECT_THROW(DecompressBlock(Bytes(corrupt), corrupt.size(), 0), EZDecompressionError);
    try {
        DecompressBlock(Bytes(packed), packed.size() - 3, 0);
        FAIL();
    } catch (const EZLibError& e) {
        EXPECT_STREQ(e.what(), "buffer error");
    }
    EXPECT_THROW(DecompressBlock(Bytes(packed), 0, 0), EZDecompressionError);
}

TEST(ZBZLib, BlockDescriptorRoundTrips) {
    uint8_t raw[TBlockDescriptor::kEncodedLength];
    TBlockDescriptor d{0x01020304, 77, 0xFFFFFFFF};
    d.EncodeTo(raw);
    EXPECT_EQ(raw[0], 0x04);
    TBlockDescriptor back = TBlockDescriptor::DecodeFrom(raw);
    EXPECT_EQ(back.Offset, d.Offset);
    EXPECT_EQ(back.StoredLength, d.StoredLength);
    EXPECT_EQ(back.UncompressedLength, d.UncompressedLength);
}

}  // namespace
}  // namespace kvx
