#include "calibrator/store.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "calibrator/startup.h"
#include "calibrator/texts.h"
#include "driver/parameters.h"

namespace calibrator {

namespace {

// Offsets rather than member pointers: the record is packed, and a member pointer forgets that.
struct StoredValue {
    const char* name;
    std::size_t offset;
};

using tavrex::CalibrationRecord;

// Written in this order. Fields 9 to 16 serve only the trial calibration and are not kept.
constexpr StoredValue kStoredValues[] = {
    {tavrex::kValueXc, offsetof(CalibrationRecord, Xc)},         {tavrex::kValueXL, offsetof(CalibrationRecord, XL)},
    {tavrex::kValueYc, offsetof(CalibrationRecord, Yc)},         {tavrex::kValueYL, offsetof(CalibrationRecord, YL)},
    {tavrex::kValueShp, offsetof(CalibrationRecord, Shp)},       {tavrex::kValueShs, offsetof(CalibrationRecord, Shs)},
    {tavrex::kValueSvp, offsetof(CalibrationRecord, Svp)},       {tavrex::kValueSvs, offsetof(CalibrationRecord, Svs)},
    {tavrex::kValueRotate, offsetof(CalibrationRecord, Rotate)},
};

std::int32_t Field(const CalibrationRecord& record, std::size_t offset) {
    std::int32_t value = 0;
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(&record) + offset, sizeof value);
    return value;
}

}  // namespace

void StoreCalibration(Calibrator& app, const tavrex::CalibrationRecord& record) {
    auto key =
        app.platform.registry.open(platform::RootKey::LocalMachine, tavrex::kParametersKeyPath, platform::kKeySetValue);
    if (!key) {
        ShowPrompt(app, text::kStoreNoRights, text::kPromptError);
        return;
    }
    // A negative extent goes in as its two's-complement double word; the driver reads it back signed.
    for (const StoredValue& value : kStoredValues)
        key->setDword(value.name, static_cast<std::uint32_t>(Field(record, value.offset)));
}

}  // namespace calibrator
