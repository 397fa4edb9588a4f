#include "panel/pages/serial_port_page.h"

#include "driver/requests.h"
#include "driver/tavrex_device.h"
#include "panel/gbk_text.h"
#include "panel/resource_ids.h"
#include "platform/types.h"

namespace panel {

namespace {

constexpr std::int32_t kFirstPort = 1;
constexpr std::int32_t kLastPort = 10;
constexpr char kPortPrefix[] = "COM";
constexpr char kInUseSuffix[] = " 当前使用的串口";

bool IsPortNumber(std::int32_t port) { return port >= kFirstPort && port <= kLastPort; }

}  // namespace

TabPage4::TabPage4(platform::Devices& devices, SerialPorts& ports)
    : ui::Page(IDD_SERIAL_PORT), devices_(devices), ports_(ports) {}

// The driver is asked through a handle of the page's own, closed again at once, so the panel's
// handle is not needed here.
std::uint32_t TabPage4::askDriverForPort() {
    auto device = devices_.open(tavrex::kDevicePath, platform::kFileShareRead | platform::kFileShareWrite);
    if (!device) return 0;
    std::uint32_t port = 0;
    if (!tavrex::GetPort(*device, port)) return 0;
    return port;
}

// The list holds the ports that can be opened exclusively right now, in ascending order, and the
// driver's own port, which is marked and never opened since the driver holds it.
void TabPage4::onInit() {
    ui::Page::onInit();
    CurrentPort = askDriverForPort();
    ItemCount = 0;
    for (std::int32_t& entry : ItemPorts) entry = 0;
    int currentItem = ui::kNoSelection;

    ui::ComboBox& list = controls().comboBox(IDC_PORT_LIST);
    for (std::int32_t n = kFirstPort; n <= kLastPort; ++n) {
        // "COM10" and, for the driver's port, the suffix after it.
        char name[sizeof kPortPrefix - 1 + kDecimalTextSize + sizeof kInUseSuffix - 1] = {};
        std::size_t length = CopyGbk(name, sizeof name, kPortPrefix);
        length += DecimalText(std::span(name).subspan(length), n);
        if (static_cast<std::uint32_t>(n) == CurrentPort) {
            CopyGbk(name + length, sizeof name - length, kInUseSuffix);
            list.addString(name);
            currentItem = ItemCount;
        } else if (ports_.probe(name)) {
            list.addString(name);
        } else {
            continue;
        }
        ItemPorts[ItemCount] = n;
        ++ItemCount;
    }

    // The handed-in port stays even when it is not listed; only a choice in the list replaces it. An
    // empty list keeps it too: its port may merely be busy or unplugged right now, and OK storing 0
    // would leave the touch screen dead after the next restart.
    if (!IsPortNumber(Port)) Port = 0;
    if (ItemCount > 0) list.setCurSel(currentItem != ui::kNoSelection ? currentItem : 0);
}

void TabPage4::onCommand(int id, int code) {
    if (id == IDC_PORT_LIST && code == ui::kSelectionChanged) portChosen();
}

void TabPage4::portChosen() {
    const int index = controls().comboBox(IDC_PORT_LIST).curSel();
    Port = index >= 0 && index < ItemCount ? ItemPorts[index] : 0;
    if (!IsPortNumber(Port) || ItemCount < 1) Port = 0;
}

}  // namespace panel
