#include "driver/tavrex_device.h"

#include <gtest/gtest.h>

#include <cstring>

#include "driver/requests.h"

namespace {

// A driver that accepts every request and writes only the first `answered` bytes of a fresh sample
// (or of 0xAB bytes, for other reads).
class ShortAnswers : public platform::DeviceHandle {
public:
    std::uint32_t answered = 0;
    bool control(std::uint32_t code, const void*, std::uint32_t, void* out, std::uint32_t outSize,
                 std::uint32_t* returned) override {
        unsigned char full[64];
        std::memset(full, 0xAB, sizeof full);
        if (code == tavrex::REQ_READ_SAMPLE) {
            const tavrex::RawSample fresh{tavrex::kSampleFresh, 1234, -567};
            std::memcpy(full, &fresh, sizeof fresh);
        }
        const std::uint32_t count = answered < outSize ? answered : outSize;
        if (out) std::memcpy(out, full, count);
        *returned = count;
        return true;
    }
};

TEST(TavrexDevice, ReadsSucceedOnlyWithTheWholeBufferAndLeaveItAloneOtherwise) {
    ShortAnswers device;
    for (std::uint32_t answered : {0u, 4u, 11u}) {
        device.answered = answered;
        tavrex::RawSample sample{tavrex::kSamplePreset, 0, 0};
        EXPECT_FALSE(tavrex::ReadSample(device, sample)) << answered;
        EXPECT_EQ(sample.marker, tavrex::kSamplePreset) << "a fresh marker over stale coordinates is no touch";
        EXPECT_EQ(sample.x, 0);

        tavrex::BeepRecord beep{};
        const tavrex::BeepRecord before = beep;
        EXPECT_FALSE(tavrex::GetBeep(device, beep)) << answered;
        EXPECT_EQ(0, std::memcmp(&beep, &before, sizeof beep));

        std::uint32_t value = 77;
        if (answered < 4) {
            EXPECT_FALSE(tavrex::GetScreenPosition(device, value));
            EXPECT_FALSE(tavrex::GetPort(device, value));
            EXPECT_FALSE(tavrex::GetDriverState(device, value));
            EXPECT_EQ(value, 77u);
        }
    }

    device.answered = 64;
    tavrex::RawSample sample{tavrex::kSamplePreset, 0, 0};
    ASSERT_TRUE(tavrex::ReadSample(device, sample));
    EXPECT_EQ(sample.marker, tavrex::kSampleFresh);
    EXPECT_EQ(sample.x, 1234);
    EXPECT_EQ(sample.y, -567);
    tavrex::BeepRecord beep{};
    EXPECT_TRUE(tavrex::GetBeep(device, beep));
    std::uint32_t value = 0;
    EXPECT_TRUE(tavrex::GetDriverState(device, value));
    EXPECT_EQ(value, 0xABABABABu);
}

}  // namespace
