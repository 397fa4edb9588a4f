// The driver's registry entry: its service and Parameters keys and the names of the values it reads.
#pragma once

namespace tavrex {

inline constexpr const char* kServiceKeyPath = "System\\CurrentControlSet\\Services\\Tavrex";
inline constexpr const char* kParametersKeyPath = "System\\CurrentControlSet\\Services\\Tavrex\\Parameters";

// Calibration, written by the calibrator.
inline constexpr const char* kValueXc = "Xc";
inline constexpr const char* kValueXL = "XL";
inline constexpr const char* kValueYc = "Yc";
inline constexpr const char* kValueYL = "YL";
inline constexpr const char* kValueShp = "Shp";
inline constexpr const char* kValueShs = "Shs";
inline constexpr const char* kValueSvp = "Svp";
inline constexpr const char* kValueSvs = "Svs";
inline constexpr const char* kValueRotate = "Rotate";

// Settings, written by the applet.
inline constexpr const char* kValueBeepMode = "BeepMode";
inline constexpr const char* kValueBeepFreq1 = "BeepFreq1";
inline constexpr const char* kValueBeepTime1 = "BeepTime1";
inline constexpr const char* kValueBeepFreq2 = "BeepFreq2";
inline constexpr const char* kValueBeepTime2 = "BeepTime2";
inline constexpr const char* kValuePort = "Port";
inline constexpr const char* kValueMouseMode = "MouseMode";
inline constexpr const char* kValueScreenPost = "ScreenPost";
inline constexpr const char* kValueRBNDelay = "RBNDelay";

}  // namespace tavrex
