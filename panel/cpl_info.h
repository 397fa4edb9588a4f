// The Control Panel protocol as the applet speaks it: message numbers and the NEWCPLINFOA record.
#pragma once

#include <cstdint>

namespace panel {

inline constexpr std::uint32_t kCplInit = 1;
inline constexpr std::uint32_t kCplGetCount = 2;
inline constexpr std::uint32_t kCplInquire = 3;
inline constexpr std::uint32_t kCplSelect = 4;
inline constexpr std::uint32_t kCplDblClk = 5;
inline constexpr std::uint32_t kCplStop = 6;
inline constexpr std::uint32_t kCplExit = 7;
inline constexpr std::uint32_t kCplNewInquire = 8;
inline constexpr std::uint32_t kCplStartWParmsA = 9;
inline constexpr std::uint32_t kCplStartWParmsW = 10;

// Byte for byte the platform's NEWCPLINFOA, which <cpl.h> declares with 1-byte packing: 244 bytes
// in a 32-bit build, 252 in a 64-bit one.
#pragma pack(push, 1)
struct NewCplInfo {
    std::uint32_t dwSize;
    std::uint32_t dwFlags;
    std::uint32_t dwHelpContext;
    std::intptr_t lData;
    std::uintptr_t hIcon;
    char szName[32];
    char szInfo[64];
    char szHelpFile[128];
};
#pragma pack(pop)

static_assert(sizeof(NewCplInfo) == 12 + 2 * sizeof(void*) + 224);

}  // namespace panel
