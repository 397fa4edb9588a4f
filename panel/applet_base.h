// The generic Control Panel applet: one virtual operation per Control Panel message, and the
// module-wide pointer through which CPlApplet reaches the one applet.
#pragma once

#include <cstdint>

#include "panel/applet_seams.h"
#include "panel/cpl_info.h"
#include "platform/types.h"

namespace panel {

class CAppletBase {
public:
    // Registers the applet in CurrentApplet.
    explicit CAppletBase(Module& module);
    virtual ~CAppletBase();
    CAppletBase(const CAppletBase&) = delete;
    CAppletBase& operator=(const CAppletBase&) = delete;

    virtual std::int32_t OnDblClk(platform::WindowId cplWindow, std::intptr_t item, std::intptr_t data);
    virtual std::int32_t OnExit();
    virtual std::int32_t OnGetCount();
    virtual std::int32_t OnInit();
    virtual std::int32_t OnNewInquire(std::intptr_t item, NewCplInfo* info);
    virtual std::int32_t OnSelect(std::intptr_t item, std::intptr_t data);
    virtual std::int32_t OnStop(std::intptr_t item, std::intptr_t data);

protected:
    Module& module() { return module_; }
    // Fills the whole record: size, zero flags, help context and data, the icon of the given resource,
    // both texts (cut to their fields between characters) and an empty help file. 0, or 1 when there is no
    // record to fill.
    std::int32_t FillNewCplInfo(NewCplInfo* info, int iconResource, const char16_t* name, const char16_t* description);

private:
    Module& module_;
};

// The applet CPlApplet talks to; set by the applet's construction at module load.
extern CAppletBase* CurrentApplet;

// What CPlApplet answers to one Control Panel message, given to the applet.
std::int32_t DispatchCplMessage(CAppletBase* applet, platform::WindowId cplWindow, std::uint32_t message,
                                std::intptr_t param1, std::intptr_t param2);

}  // namespace panel
