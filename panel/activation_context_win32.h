// The applet's own manifest as an activation context, so that what it shows gets the common controls its
// manifest names whatever the host's manifest says.
#pragma once

#include <windows.h>

namespace panel::win32 {

// The context made from the module's manifest, resource 2 (ISOLATIONAWARE_MANIFEST_RESOURCE_ID): made at its
// first use, outside the loader's lock, and released when the module unloads. No context (a manifest the system
// refuses) leaves the applet running as it would without a manifest.
class ModuleActivationContext {
public:
    explicit ModuleActivationContext(HMODULE module) : module_(module) {}
    ~ModuleActivationContext();
    ModuleActivationContext(const ModuleActivationContext&) = delete;
    ModuleActivationContext& operator=(const ModuleActivationContext&) = delete;

    // INVALID_HANDLE_VALUE when there is none.
    HANDLE get();

private:
    HMODULE module_;
    HANDLE context_ = INVALID_HANDLE_VALUE;
    bool tried_ = false;
};

// Keeps a context active on this thread for one scope; nothing with INVALID_HANDLE_VALUE.
class ActivationScope {
public:
    explicit ActivationScope(HANDLE context);
    ~ActivationScope();
    ActivationScope(const ActivationScope&) = delete;
    ActivationScope& operator=(const ActivationScope&) = delete;

private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};

}  // namespace panel::win32
