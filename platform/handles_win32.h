// The Win32 handle kinds the tools own, and the one conversion each way between window ids and HWND.
#pragma once

#include <windows.h>

#include "platform/types.h"
#include "platform/unique_handle.h"

namespace platform::win32 {

struct RegistryKeyTraits {
    using Handle = HKEY;
    static void close(HKEY key) { RegCloseKey(key); }
};

// Files, devices, events, threads.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static void close(HANDLE handle) { CloseHandle(handle); }
};

// Pens, brushes, fonts, bitmaps; never one still selected into a device context.
template <typename T>
struct GdiObjectTraits {
    using Handle = T;
    static void close(T object) { DeleteObject(object); }
};

// A device context the program created (CreateCompatibleDC), not one borrowed from a window.
struct DeviceContextTraits {
    using Handle = HDC;
    static void close(HDC dc) { DeleteDC(dc); }
};

using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
template <typename T>
using UniqueGdiObject = UniqueHandle<GdiObjectTraits<T>>;
using UniqueDeviceContext = UniqueHandle<DeviceContextTraits>;

inline HWND ToHwnd(WindowId window) { return reinterpret_cast<HWND>(window); }
inline WindowId ToWindowId(HWND window) { return reinterpret_cast<WindowId>(window); }

}  // namespace platform::win32
