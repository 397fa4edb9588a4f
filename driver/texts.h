// What both deliverables tell the user about the driver's state, and the captions they share (GBK at
// run time).
#pragma once

namespace tavrex::text {

inline constexpr const char* kRestartAfterInstall = "驱动安装完成后，必须重启系统，才能成功加载驱动。多谢合作！";
inline constexpr const char* kNotInstalled = "驱动未安装。";
inline constexpr const char* kRestartAfterUpdate = "驱动已经更新，必须重新启动系统，才能正常使用触摸屏。多谢合作！";

inline constexpr const char* kNotice = "提示";
inline constexpr const char* kError = "错误";

}  // namespace tavrex::text
