// Buffers exchanged with the touch driver. Packed, 32-bit little-endian integers, as the driver lays them out.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace tavrex {

static_assert(std::endian::native == std::endian::little, "driver buffers are little-endian");

inline constexpr std::uint32_t kSampleFresh = 0x1667;    // marker of a captured touch
inline constexpr std::uint32_t kSamplePreset = 0x102B;   // what the caller puts in before reading
inline constexpr std::uint32_t kControllerKey = 0x7C41;  // same in every controller command

#pragma pack(push, 1)

struct RawSample {
    std::uint32_t marker;
    std::int32_t x;
    std::int32_t y;
};

struct CalibrationRecord {
    std::int32_t Xc;
    std::int32_t Yc;
    std::int32_t XL;
    std::int32_t YL;
    std::int32_t Rotate;
    std::int32_t Shp;
    std::int32_t Shs;
    std::int32_t Svp;
    std::int32_t Svs;
    std::int32_t firstMeanX;
    std::int32_t firstMeanY;
    std::int32_t firstSpanX;
    std::int32_t firstSpanY;
    std::int32_t secondMeanX;
    std::int32_t secondMeanY;
    std::int32_t secondSpanX;
    std::int32_t secondSpanY;
};

struct ControllerCommand {
    std::uint8_t frame[16];
    std::uint32_t sendLength;
    std::uint32_t replyLength;
    std::uint32_t key;
    std::uint32_t reserved;
};

// The fourth and fifth values are ours to define: the applet's test beep repeats the frequency and the
// duration there, as the stored "BeepFreq2" and "BeepTime2" repeat the first pair.
struct BeepRecord {
    std::uint32_t mode;
    std::uint32_t frequency;
    std::uint32_t duration;
    std::uint32_t reserved1;
    std::uint32_t reserved2;
};

#pragma pack(pop)

static_assert(sizeof(RawSample) == 12);
static_assert(offsetof(RawSample, marker) == 0 && offsetof(RawSample, x) == 4 && offsetof(RawSample, y) == 8);

static_assert(sizeof(CalibrationRecord) == 68);
static_assert(offsetof(CalibrationRecord, Xc) == 0 && offsetof(CalibrationRecord, Yc) == 4);
static_assert(offsetof(CalibrationRecord, XL) == 8 && offsetof(CalibrationRecord, YL) == 12);
static_assert(offsetof(CalibrationRecord, Rotate) == 16 && offsetof(CalibrationRecord, Shp) == 20);
static_assert(offsetof(CalibrationRecord, Svs) == 32 && offsetof(CalibrationRecord, firstMeanX) == 36);
static_assert(offsetof(CalibrationRecord, secondMeanX) == 52 && offsetof(CalibrationRecord, secondSpanY) == 64);

static_assert(sizeof(ControllerCommand) == 32);
static_assert(offsetof(ControllerCommand, sendLength) == 16 && offsetof(ControllerCommand, replyLength) == 20);
static_assert(offsetof(ControllerCommand, key) == 24 && offsetof(ControllerCommand, reserved) == 28);

static_assert(sizeof(BeepRecord) == 20);

// What the driver runs on while Parameters holds no calibration; a stored zero centre or extent
// also falls back on these.
inline constexpr CalibrationRecord kDefaultCalibration = {892, 520, 1114, 812, 0, 4096, 0, 4096, 0,
                                                          0,   0,   0,    0,   0, 0,    0, 0};

// Field n of the record, in the driver's order (0 = Xc ... 16 = second diagonal y span).
std::int32_t RecordField(const CalibrationRecord& record, int index);
void SetRecordField(CalibrationRecord& record, int index, std::int32_t value);

}  // namespace tavrex
