#include "panel/applet_base.h"

#include <cstring>

#include "panel/gbk_text.h"
#include "panel/texts.h"

namespace panel {

CAppletBase* CurrentApplet = nullptr;

namespace {

constexpr int kBaseIconResource = 1;

}  // namespace

CAppletBase::CAppletBase(Module& module) : module_(module) { CurrentApplet = this; }

// Never leave CPlApplet a pointer to a destroyed applet.
CAppletBase::~CAppletBase() {
    if (CurrentApplet == this) CurrentApplet = nullptr;
}

std::int32_t CAppletBase::OnDblClk(platform::WindowId, std::intptr_t, std::intptr_t) { return 0; }
std::int32_t CAppletBase::OnExit() { return 0; }
std::int32_t CAppletBase::OnGetCount() { return 1; }
std::int32_t CAppletBase::OnInit() { return 1; }
std::int32_t CAppletBase::OnSelect(std::intptr_t, std::intptr_t) { return 1; }
std::int32_t CAppletBase::OnStop(std::intptr_t, std::intptr_t) { return 1; }

std::int32_t CAppletBase::OnNewInquire(std::intptr_t, NewCplInfo* info) {
    return FillNewCplInfo(info, kBaseIconResource, text::kBaseItemName, text::kBaseItemDescription);
}

std::int32_t CAppletBase::FillNewCplInfo(NewCplInfo* info, int iconResource, const char16_t* name,
                                         const char16_t* description) {
    // A host that hands no record gets "not handled" rather than a claim that it was filled.
    if (!info) return 1;
    NewCplInfo record{};
    record.dwSize = sizeof(NewCplInfo);
    record.hIcon = module_.loadIcon(iconResource);
    CopyUtf16(record.szName, name);
    CopyUtf16(record.szInfo, description);
    std::memcpy(static_cast<void*>(info), &record, sizeof record);
    return 0;
}

namespace {

std::int32_t Dispatch(CAppletBase& applet, platform::WindowId cplWindow, std::uint32_t message, std::intptr_t param1,
                      std::intptr_t param2) {
    switch (message) {
        case kCplInit: return applet.OnInit();
        case kCplGetCount: return applet.OnGetCount();
        case kCplInquire: return 0;
        case kCplSelect: return applet.OnSelect(param1, param2);
        case kCplDblClk: return applet.OnDblClk(cplWindow, param1, param2);
        case kCplStop: return applet.OnStop(param1, param2);
        case kCplExit: return applet.OnExit();
        case kCplNewInquire: return applet.OnNewInquire(param1, reinterpret_cast<NewCplInfo*>(param2));
        // Hosts that start with parameters go on to the double click only after a 0.
        case kCplStartWParmsA:
        case kCplStartWParmsW: return 0;
        default: return 1;
    }
}

}  // namespace

std::int32_t DispatchCplMessage(CAppletBase* applet, platform::WindowId cplWindow, std::uint32_t message,
                                std::intptr_t param1, std::intptr_t param2) {
    if (!applet) return 0;
    // Nothing may unwind into the Control Panel host; an applet that failed this way answers 0.
    try {
        return Dispatch(*applet, cplWindow, message, param1, param2);
    } catch (...) {
        return 0;
    }
}

}  // namespace panel
