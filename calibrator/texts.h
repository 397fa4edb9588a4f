// Everything the calibrator says to the user (GBK at run time) and the names it is found by.
#pragma once

#include "driver/texts.h"

namespace calibrator::text {

// The driver's state messages and the captions, shared with the applet.
using namespace tavrex::text;

inline constexpr const char* kClassName = "TAVREXCALIBA";
inline constexpr const char* kWindowTitle = "TAVREX CALIBRAY";

inline constexpr const char* kNotInstalledCannotCalibrate = "驱动未安装，无法校正。";
inline constexpr const char* kNoAdministrator = "该用户不具有管理员权限，无法打开校正程序。";
inline constexpr const char* kWrongDriverVersion = "已安装的驱动程序版本不正确。";
inline constexpr const char* kConfirmQuestion = "鼠标指针可以准确跟随手指触点了吗?";
inline constexpr const char* kStoreNoRights = "该用户没有管理员权限!";
inline constexpr const char* kInstruction = "请触摸标志区域，要取消，请按ESC键退出。";

inline constexpr const char* kPromptNotice = " 提示";
inline constexpr const char* kPromptError = " 错误";
inline constexpr const char* kPromptConfirm = " 校准确认";

}  // namespace calibrator::text
