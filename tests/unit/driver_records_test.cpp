#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "driver/controller_frames.h"
#include "driver/records.h"

namespace {

std::vector<std::uint8_t> Bytes(const tavrex::ControllerCommand& command) {
    std::vector<std::uint8_t> bytes(sizeof command);
    std::memcpy(bytes.data(), &command, sizeof command);
    return bytes;
}

// The whole 32-byte block: frame, zero padding, lengths and the key, little-endian.
std::vector<std::uint8_t> Block(std::vector<std::uint8_t> frame, std::uint32_t replyLength) {
    std::vector<std::uint8_t> bytes(32, 0);
    std::copy(frame.begin(), frame.end(), bytes.begin());
    const std::uint32_t tail[4] = {static_cast<std::uint32_t>(frame.size()), replyLength, 0x7C41, 0};
    for (int i = 0; i < 4; ++i)
        for (int b = 0; b < 4; ++b) bytes[16 + 4 * i + b] = (tail[i] >> (8 * b)) & 0xFF;
    return bytes;
}

TEST(ControllerFrames, CommandBlocksAreExactlyWhatTheControllerExpects) {
    EXPECT_EQ(Bytes(tavrex::MakeEt3Command()), Block({0x01, 0x45, 0x54, 0x33, 0x0D}, 3));
    EXPECT_EQ(Bytes(tavrex::MakeEt0Command()), Block({0x01, 0x45, 0x54, 0x30, 0x0D}, 3));
    EXPECT_EQ(Bytes(tavrex::MakeGpCommand()), Block({0x01, 0x47, 0x50, 0x0D}, 10));
    // VX 2992 (0x0BB0) and VY 3072 (0x0C00), each sent twice, low byte first.
    EXPECT_EQ(Bytes(tavrex::MakeSpCommand({0x0B, 0xB0, 0x0C, 0x00})),
              Block({0x01, 0x53, 0x50, 0xB0, 0x0B, 0xB0, 0x0B, 0x00, 0x0C, 0x00, 0x0C, 0x0D}, 0));
}

TEST(ControllerFrames, GpReplyCarriesXAndYAtTheirOffsets) {
    const std::uint8_t reply[10] = {0x01, 0xB0, 0x0B, 0xEE, 0xEE, 0x00, 0x0C, 0xEE, 0xEE, 0x0D};
    EXPECT_EQ(tavrex::ParseGpReply(reply), (tavrex::LinearityBytes{0x0B, 0xB0, 0x0C, 0x00}));
}

TEST(CalibrationRecord, FieldsByIndexFollowTheDriverOrder) {
    tavrex::CalibrationRecord record{};
    for (int i = 0; i < 17; ++i) tavrex::SetRecordField(record, i, 100 + i);
    EXPECT_EQ(record.Xc, 100);
    EXPECT_EQ(record.Yc, 101);
    EXPECT_EQ(record.XL, 102);
    EXPECT_EQ(record.Rotate, 104);
    EXPECT_EQ(record.Svs, 108);
    EXPECT_EQ(record.firstMeanX, 109);
    EXPECT_EQ(record.secondSpanY, 116);
    // Out-of-range indices neither read nor write outside the record.
    tavrex::SetRecordField(record, 17, -1);
    tavrex::SetRecordField(record, -1, -1);
    EXPECT_EQ(tavrex::RecordField(record, 17), 0);
    EXPECT_EQ(tavrex::RecordField(record, 16), 116);
    unsigned char raw[68];
    std::memcpy(raw, &record, sizeof raw);
    EXPECT_EQ(raw[8], 102);  // XL is the third little-endian double word
    EXPECT_EQ(raw[9], 0);
}

}  // namespace
