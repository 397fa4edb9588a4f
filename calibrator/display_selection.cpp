#include "calibrator/display_selection.h"

namespace calibrator {

namespace {

std::int32_t Width(const platform::Rect& r) {
    return static_cast<std::int32_t>(std::uint32_t(r.right) - std::uint32_t(r.left));
}
std::int32_t Height(const platform::Rect& r) {
    return static_cast<std::int32_t>(std::uint32_t(r.bottom) - std::uint32_t(r.top));
}

// Fills the slots as the monitors come, keeping the first primary monitor that may stand in for DISPLAY1.
class SlotRecorder : public platform::MonitorSink {
public:
    bool add(const platform::MonitorInfo& monitor) override {
        if (monitor.primary && !primarySeen_ && monitor.deviceName != kDisplay2Name) {
            primary_ = monitor.rect;
            primarySeen_ = true;
        }
        return RecordMonitorRect(slots_, monitor);
    }
    MonitorSlots slots() const {
        MonitorSlots slots = slots_;
        if (!slots.display1Seen && primarySeen_) {
            slots.display1 = primary_;
            slots.display1Seen = true;
        }
        return slots;
    }

private:
    MonitorSlots slots_;
    platform::Rect primary_;
    bool primarySeen_ = false;
};

}  // namespace

bool RecordMonitorRect(MonitorSlots& slots, const platform::MonitorInfo& monitor) {
    if (monitor.deviceName == kDisplay1Name) {
        slots.display1 = monitor.rect;
        slots.display1Seen = true;
    } else if (monitor.deviceName == kDisplay2Name) {
        slots.display2 = monitor.rect;
        slots.display2Seen = true;
    }
    return true;
}

MonitorSlots RecordMonitors(platform::Monitors& monitors) {
    SlotRecorder recorder;
    monitors.enumerate(recorder);
    return recorder.slots();
}

DisplayLayout SelectCalibrationArea(std::uint32_t screenPosition, const MonitorSlots& slots) {
    DisplayLayout layout;
    layout.W1 = Width(slots.display1);
    layout.H1 = Height(slots.display1);
    layout.W2 = Width(slots.display2);
    layout.H2 = Height(slots.display2);

    const std::int32_t w1 = layout.W1, h1 = layout.H1;
    switch (screenPosition) {
        case SCREEN_SPAN_LEFT: layout.area = {0, 0, w1 / 2, h1}; break;
        case SCREEN_SPAN_RIGHT: layout.area = {w1 / 2, 0, w1, h1}; break;
        case SCREEN_SPAN_TOP: layout.area = {0, 0, w1, h1 / 2}; break;
        case SCREEN_SPAN_BOTTOM: layout.area = {0, h1 / 2, w1, h1}; break;
        case SCREEN_ON_PRIMARY: layout.area = slots.display1; break;
        case SCREEN_ON_SECONDARY: layout.area = slots.display2; break;
        default: layout.area = {0, 0, w1, h1}; break;
    }

    layout.W = Width(layout.area);
    layout.H = Height(layout.area);
    layout.X1 = layout.W / 4;
    layout.X3 = static_cast<std::int32_t>((3 * std::int64_t{layout.W}) / 4);
    layout.Y1 = layout.H / 4;
    layout.Y3 = static_cast<std::int32_t>((3 * std::int64_t{layout.H}) / 4);
    return layout;
}

}  // namespace calibrator
