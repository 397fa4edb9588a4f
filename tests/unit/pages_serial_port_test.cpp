#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "driver/parameters.h"
#include "driver/requests.h"
#include "panel/pages/serial_port_page.h"
#include "panel/resource_ids.h"
#include "platform/types.h"
#include "tests/fakes/fake_device.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_serial_ports.h"
#include "tests/unit/page_host.h"

namespace {

using panel::TabPage4;

const std::string kInUse = " \xB5\xB1\xC7\xB0\xCA\xB9\xD3\xC3\xB5\xC4\xB4\xAE\xBF\xDA";  // " 当前使用的串口" in GBK

std::vector<std::string> AllPorts() {
    std::vector<std::string> names;
    for (int n = 1; n <= 10; ++n) names.push_back("COM" + std::to_string(n));
    return names;
}

// One panel run's serial port page over a driver that uses `driverPort` and the given openable ports.
struct SerialPortPage {
    explicit SerialPortPage(std::int32_t handedIn, std::uint32_t driverPort = 0,
                            std::vector<std::string> openable = {}) {
        registry.addKey(platform::RootKey::LocalMachine, tavrex::kParametersKeyPath).values[tavrex::kValuePort] =
            driverPort;
        devices.restart();
        ports.openable.insert(openable.begin(), openable.end());
        page.Port = handedIn;
    }
    void Open() { host.open(); }
    void Pick(int index) { host.pick(IDC_PORT_LIST, index); }
    fakes::FakeComboBox& list() { return host.controls.combos[IDC_PORT_LIST]; }
    std::vector<std::int32_t> itemPorts() const { return {page.ItemPorts, page.ItemPorts + 10}; }

    fakes::FakeRegistry registry;
    fakes::FakeDevices devices{registry};
    fakes::FakeSerialPorts ports;
    TabPage4 page{devices, ports};
    paneltest::PageHost host{page};
};

TEST(SerialPortPage, TheDriversPortIsMarkedAndNeverOpened) {
    SerialPortPage run(7, 3, {"COM1", "COM3", "COM5"});
    run.Open();
    EXPECT_EQ(run.list().texts(), (std::vector<std::string>{"COM1", "COM3" + kInUse, "COM5"}));
    EXPECT_EQ(run.list().selected, 1);
    EXPECT_EQ(run.ports.probes,
              (std::vector<std::string>{"COM1", "COM2", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9", "COM10"}));
    EXPECT_EQ(run.page.CurrentPort, 3u);
    EXPECT_EQ(run.page.ItemCount, 3);
    EXPECT_EQ(run.itemPorts(), (std::vector<std::int32_t>{1, 3, 5, 0, 0, 0, 0, 0, 0, 0}));

    // The driver is asked through a shared open of its own, with the one request.
    ASSERT_EQ(run.devices.opens.size(), 1u);
    EXPECT_EQ(run.devices.opens[0].path, "\\\\.\\tavrex");
    EXPECT_EQ(run.devices.opens[0].shareMode, platform::kFileShareRead | platform::kFileShareWrite);
    EXPECT_EQ(run.devices.codes(), std::vector<std::uint32_t>{0x000F269Cu});

    EXPECT_EQ(run.page.Port, 7) << "building the list does not choose a port";
    run.Pick(2);
    EXPECT_EQ(run.page.Port, 5);
    run.Pick(1);
    EXPECT_EQ(run.page.Port, 3);
    run.Pick(0);
    EXPECT_EQ(run.page.Port, 1);

    // Coming back to the tab neither probes nor asks again.
    EXPECT_TRUE(run.page.deactivate());
    run.page.activate();
    EXPECT_EQ(run.ports.probes.size(), 9u);
    EXPECT_EQ(run.devices.opens.size(), 1u);
    EXPECT_EQ(run.page.Port, 1);
}

TEST(SerialPortPage, WithNoUsablePortFromTheDriverAllTenAreProbedAndTheFirstSelected) {
    struct Case {
        const char* what;
        std::uint32_t driverPort;
        bool present;
        bool portRequestFails;
        std::uint32_t current;
    };
    for (const Case c : {Case{"port 0", 0, true, false, 0}, Case{"port 11", 11, true, false, 11},
                         Case{"unreachable", 3, false, false, 0}, Case{"no answer", 3, true, true, 0}}) {
        SCOPED_TRACE(c.what);
        SerialPortPage run(4, c.driverPort, {"COM2", "COM4", "COM9"});
        run.devices.present = c.present;
        if (c.portRequestFails) run.devices.core().setFailingRequest(tavrex::REQ_GET_PORT);
        run.Open();
        EXPECT_EQ(run.page.CurrentPort, c.current);
        EXPECT_EQ(run.ports.probes, AllPorts());
        EXPECT_EQ(run.list().texts(), (std::vector<std::string>{"COM2", "COM4", "COM9"}));
        EXPECT_EQ(run.list().selected, 0);
        EXPECT_EQ(run.page.Port, 4);
    }
}

TEST(SerialPortPage, AllTenPortsListedMapToTheirNumbers) {
    SerialPortPage run(2, 0, AllPorts());
    run.Open();
    EXPECT_EQ(run.list().texts(), AllPorts());
    EXPECT_EQ(run.page.ItemCount, 10);
    EXPECT_EQ(run.itemPorts(), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    run.Pick(9);
    EXPECT_EQ(run.page.Port, 10);

    SerialPortPage marked(2, 10, AllPorts());
    marked.Open();
    EXPECT_EQ(marked.list().texts().back(), "COM10" + kInUse);
    EXPECT_EQ(marked.list().selected, 9);
    EXPECT_EQ(marked.ports.probes.size(), 9u);
}

TEST(SerialPortPage, AHandedInPortOutsideOneToTenBecomesNone) {
    for (std::int32_t handedIn : {12, 0, -1, 11, static_cast<std::int32_t>(0x80000000u)}) {
        SerialPortPage run(handedIn, 0, {"COM1", "COM3"});
        run.Open();
        EXPECT_EQ(run.page.Port, 0) << handedIn;
    }
    for (std::int32_t handedIn : {1, 7, 10}) {
        SerialPortPage run(handedIn, 0, {"COM1", "COM3"});
        run.Open();
        EXPECT_EQ(run.page.Port, handedIn) << "kept even when not listed";
    }
}

TEST(SerialPortPage, AnEmptyListKeepsAHandedInPortOfOneToTen) {
    SerialPortPage run(5, 3);
    run.devices.present = false;
    run.Open();
    EXPECT_TRUE(run.list().items.empty());
    EXPECT_EQ(run.list().selected, ui::kNoSelection);
    EXPECT_EQ(run.page.ItemCount, 0);
    EXPECT_EQ(run.page.Port, 5);
    EXPECT_EQ(run.ports.probes, AllPorts());
    SerialPortPage outside(11);
    outside.Open();
    EXPECT_EQ(outside.page.Port, 0);

    run.page.Port = 6;
    run.page.onCommand(IDC_PORT_LIST, ui::kSelectionChanged);
    EXPECT_EQ(run.page.Port, 0);
}

TEST(SerialPortPage, ASelectionChangeWithoutAListedItemMeansNone) {
    SerialPortPage run(2, 0, {"COM2", "COM6"});
    run.Open();
    run.list().selected = ui::kNoSelection;
    run.page.onCommand(IDC_PORT_LIST, ui::kSelectionChanged);
    EXPECT_EQ(run.page.Port, 0);
    run.list().selected = 2;  // past the items the page listed
    run.page.onCommand(IDC_PORT_LIST, ui::kSelectionChanged);
    EXPECT_EQ(run.page.Port, 0);
}

TEST(SerialPortPage, AnUnopenedTabHandsThePortBackUnchecked) {
    SerialPortPage run(-3, 3, {"COM1"});
    run.page.activate();
    EXPECT_TRUE(run.page.deactivate());
    EXPECT_EQ(run.page.Port, -3);
    EXPECT_TRUE(run.ports.probes.empty());
    EXPECT_TRUE(run.devices.opens.empty());
}

}  // namespace
