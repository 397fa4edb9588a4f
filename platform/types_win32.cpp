// The constants that platform/types.h restates for portable code, held against the system's own.
#include <windows.h>

#include "platform/types.h"

namespace platform {

static_assert(sizeof(WindowId) == sizeof(HWND));
static_assert(kMbOk == MB_OK && kMbIconError == MB_ICONERROR);
static_assert(kIdOk == IDOK && kIdCancel == IDCANCEL);
static_assert(kKeyQueryValue == KEY_QUERY_VALUE && kKeySetValue == KEY_SET_VALUE && kKeyRead == KEY_READ &&
              kKeyAllAccess == KEY_ALL_ACCESS);
static_assert(kFileShareRead == FILE_SHARE_READ && kFileShareWrite == FILE_SHARE_WRITE);
static_assert(kWmUser == WM_USER && kWmDestroy == WM_DESTROY && kWmPaint == WM_PAINT && kWmKeyUp == WM_KEYUP);
static_assert(kVkEscape == VK_ESCAPE);

}  // namespace platform
