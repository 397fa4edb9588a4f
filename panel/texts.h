// Everything the applet says to the user and tells the Control Panel (GBK at run time).
#pragma once

#include "driver/texts.h"

namespace panel::text {

// The driver's state messages and the captions, shared with the calibrator.
using namespace tavrex::text;

// The item as the Control Panel lists it, in the record's UTF-16.
inline constexpr const char16_t* kItemName = u"Tavrex 设置";
inline constexpr const char16_t* kItemDescription = u"Tavrex 控制面板";
inline constexpr const char16_t* kBaseItemName = u"Applet";
inline constexpr const char16_t* kBaseItemDescription = u"Raw Cpl Applet";

// Settings store.
inline constexpr const char* kReadRegistryFailed = "读注册表失败";
inline constexpr const char* kWriteRegistryFailed = "写注册表失败";
inline constexpr const char* kMouseKeyReadFailed = "打开注册表键 HKEY_CURRENT_USER 失败!";
inline constexpr const char* kMouseKeyWriteFailed = "打开注册表键 HKEY_CURRENT_USER 失败";

// Calibrate page.
inline constexpr const char* kCalibratorMissing = "Can't fine brennick.exe file.";

}  // namespace panel::text
