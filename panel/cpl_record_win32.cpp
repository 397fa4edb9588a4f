// The portable NEWCPLINFOW mirror must be the platform's record, byte for byte.
#include <windows.h>
// after windows.h, which it needs
#include <cpl.h>

#include <cstddef>

#include "panel/cpl_info.h"

namespace panel {

static_assert(sizeof(NewCplInfo) == sizeof(NEWCPLINFOW));
static_assert(offsetof(NewCplInfo, lData) == offsetof(NEWCPLINFOW, lData));
static_assert(offsetof(NewCplInfo, hIcon) == offsetof(NEWCPLINFOW, hIcon));
static_assert(offsetof(NewCplInfo, szName) == offsetof(NEWCPLINFOW, szName));
static_assert(offsetof(NewCplInfo, szInfo) == offsetof(NEWCPLINFOW, szInfo));
static_assert(offsetof(NewCplInfo, szHelpFile) == offsetof(NEWCPLINFOW, szHelpFile));
static_assert(sizeof(void*) != 4 || sizeof(NEWCPLINFOW) == 468, "the 32-bit record is 468 bytes");
static_assert(CPL_INIT == kCplInit && CPL_GETCOUNT == kCplGetCount && CPL_INQUIRE == kCplInquire &&
              CPL_SELECT == kCplSelect && CPL_DBLCLK == kCplDblClk && CPL_STOP == kCplStop && CPL_EXIT == kCplExit &&
              CPL_NEWINQUIRE == kCplNewInquire && CPL_STARTWPARMSA == kCplStartWParmsA &&
              CPL_STARTWPARMSW == kCplStartWParmsW);

}  // namespace panel
