// Where the driver keeps its service entry and the values it reads.
#pragma once

namespace tavrex {

inline constexpr const char* kServiceKeyPath = "System\\CurrentControlSet\\Services\\Tavrex";
inline constexpr const char* kParametersKeyPath = "System\\CurrentControlSet\\Services\\Tavrex\\Parameters";

}  // namespace tavrex
