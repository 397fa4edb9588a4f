#include "panel/serial_ports_win32.h"

#include <windows.h>

#include <string>

namespace panel::win32 {

// By the device name, since "COM10" and up have no short name. An open that asks for no access is not
// checked against other programs' sharing: a port that another program holds would pass for free wherever
// its driver does not refuse a second open by itself.
bool SerialPorts::probe(const char* name) {
    const std::string device = std::string("\\\\.\\") + name;
    HANDLE handle = CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
}

}  // namespace panel::win32
