// Whether a serial port can be had right now: opened for reading and writing, shared with no one, and closed
// at once.
#pragma once

namespace panel {

class SerialPorts {
public:
    virtual ~SerialPorts() = default;
    // name: "COM1" ... "COM10". True when the port opened (it is closed again before returning).
    virtual bool probe(const char* name) = 0;
};

}  // namespace panel
