// The Control Panel protocol as the applet speaks it: message numbers and the NEWCPLINFOW record.
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

// Byte for byte the platform's NEWCPLINFOW, which <cpl.h> declares with 1-byte packing: 468 bytes in a
// 32-bit build, 476 in a 64-bit one. Its texts are UTF-16, so a host shows them right whatever the system's
// code page; a host tells it from the narrow record by its size.
#pragma pack(push, 1)
struct NewCplInfo {
    std::uint32_t dwSize;
    std::uint32_t dwFlags;
    std::uint32_t dwHelpContext;
    std::intptr_t lData;
    std::uintptr_t hIcon;
    char16_t szName[32];
    char16_t szInfo[64];
    char16_t szHelpFile[128];
};
#pragma pack(pop)

static_assert(sizeof(NewCplInfo) == 12 + 2 * sizeof(void*) + 448);

}  // namespace panel
