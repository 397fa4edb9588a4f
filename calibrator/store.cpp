#include "calibrator/store.h"

#include <cstdint>

#include "calibrator/startup.h"
#include "calibrator/texts.h"
#include "driver/parameters.h"

namespace calibrator {

namespace {

struct StoredValue {
    const char* name;
    std::int32_t tavrex::CalibrationRecord::*field;
};

// Written in this order. Fields 9 to 16 serve only the trial calibration and are not kept.
constexpr StoredValue kStoredValues[] = {
    {tavrex::kValueXc, &tavrex::CalibrationRecord::Xc},         {tavrex::kValueXL, &tavrex::CalibrationRecord::XL},
    {tavrex::kValueYc, &tavrex::CalibrationRecord::Yc},         {tavrex::kValueYL, &tavrex::CalibrationRecord::YL},
    {tavrex::kValueShp, &tavrex::CalibrationRecord::Shp},       {tavrex::kValueShs, &tavrex::CalibrationRecord::Shs},
    {tavrex::kValueSvp, &tavrex::CalibrationRecord::Svp},       {tavrex::kValueSvs, &tavrex::CalibrationRecord::Svs},
    {tavrex::kValueRotate, &tavrex::CalibrationRecord::Rotate},
};

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
        key->setDword(value.name, static_cast<std::uint32_t>(record.*value.field));
}

}  // namespace calibrator
