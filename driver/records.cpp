#include "driver/records.h"

#include <cstring>

namespace tavrex {

namespace {
constexpr int kFieldCount = sizeof(CalibrationRecord) / sizeof(std::int32_t);
}

std::int32_t RecordField(const CalibrationRecord& record, int index) {
    std::int32_t value = 0;
    if (index >= 0 && index < kFieldCount)
        std::memcpy(&value, reinterpret_cast<const unsigned char*>(&record) + index * 4, 4);
    return value;
}

void SetRecordField(CalibrationRecord& record, int index, std::int32_t value) {
    if (index >= 0 && index < kFieldCount)
        std::memcpy(reinterpret_cast<unsigned char*>(&record) + index * 4, &value, 4);
}

}  // namespace tavrex
