// Everything the applet says to the user and tells the Control Panel (GBK at run time).
#pragma once

namespace panel::text {

// The item as the Control Panel lists it.
inline constexpr const char* kItemName = "Tavrex 设置";
inline constexpr const char* kItemDescription = "Tavrex 控制面板";
inline constexpr const char* kBaseItemName = "Applet";
inline constexpr const char* kBaseItemDescription = "Raw Cpl Applet";

// Driver checks of a panel run.
inline constexpr const char* kRestartAfterInstall = "驱动安装完成后，必须重启系统，才能成功加载驱动。多谢合作！";
inline constexpr const char* kNotInstalled = "驱动未安装。";
inline constexpr const char* kRestartAfterUpdate = "驱动已经更新，必须重新启动系统，才能正常使用触摸屏。多谢合作！";

// Settings store.
inline constexpr const char* kReadRegistryFailed = "读注册表失败";
inline constexpr const char* kWriteRegistryFailed = "写注册表失败";
inline constexpr const char* kMouseKeyReadFailed = "打开注册表键 HKEY_CURRENT_USER 失败!";
inline constexpr const char* kMouseKeyWriteFailed = "打开注册表键 HKEY_CURRENT_USER 失败";

// Calibrate page.
inline constexpr const char* kCalibratorMissing = "Can't fine brennick.exe file.";

// Captions.
inline constexpr const char* kNotice = "提示";
inline constexpr const char* kError = "错误";

}  // namespace panel::text
