// The serial port page: the ports that can be opened now, plus the one the driver uses.
#pragma once

#include <cstdint>

#include "panel/serial_ports.h"
#include "platform/device.h"
#include "ui/page.h"

namespace panel {

class TabPage4 : public ui::Page {
public:
    TabPage4(platform::Devices& devices, SerialPorts& ports);

    std::int32_t Port = -1;  // the panel's copy of "Port": 1..10 = COM1..COM10, 0 = none
    std::int32_t ItemPorts[10] = {};
    std::int32_t ItemCount = 0;
    std::uint32_t CurrentPort = 0;

    void onInit() override;
    void onCommand(int id, int code) override;

private:
    std::uint32_t askDriverForPort();
    void portChosen();

    platform::Devices& devices_;
    SerialPorts& ports_;
};

}  // namespace panel
