#include "panel/serial_ports_win32.h"

#include <windows.h>

#include <string>

namespace panel::win32 {

// By the device name, since "COM10" and up have no short name.
bool SerialPorts::probe(const char* name) {
    const std::string device = std::string("\\\\.\\") + name;
    HANDLE handle = CreateFileA(device.c_str(), 0, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
}

}  // namespace panel::win32
