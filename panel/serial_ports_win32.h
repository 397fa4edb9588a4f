// The serial port probe over CreateFileA.
#pragma once

#include "panel/serial_ports.h"

namespace panel::win32 {

class SerialPorts : public panel::SerialPorts {
public:
    bool probe(const char* name) override;
};

}  // namespace panel::win32
