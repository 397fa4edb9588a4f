#include "panel/serial_ports_win32.h"

#include <windows.h>

#include "panel/gbk_text.h"
#include "platform/wide_text_win32.h"

namespace panel::win32 {

// By the device name, since "COM10" and up have no short name. An open that asks for no access is not
// checked against other programs' sharing: a port that another program holds would pass for free wherever
// its driver does not refuse a second open by itself.
bool SerialPorts::probe(const char* name) {
    char device[32];
    const std::size_t prefix = CopyGbk(device, sizeof device, "\\\\.\\");
    CopyGbk(device + prefix, sizeof device - prefix, name);
    HANDLE handle = CreateFileW(platform::win32::WideText(device).get(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
}

}  // namespace panel::win32
