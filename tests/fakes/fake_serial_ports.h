// Serial ports for tests: the named ports open, every other does not; each probe is recorded in order.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "panel/serial_ports.h"

namespace fakes {

class FakeSerialPorts : public panel::SerialPorts {
public:
    std::set<std::string> openable;  // "COM1" ... "COM10"
    std::vector<std::string> probes;

    bool probe(const char* name) override {
        probes.push_back(name);
        return openable.count(name) != 0;
    }
};

}  // namespace fakes
