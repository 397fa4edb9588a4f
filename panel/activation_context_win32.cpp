#include "panel/activation_context_win32.h"

namespace panel::win32 {

namespace {
// ISOLATIONAWARE_MANIFEST_RESOURCE_ID as the wide functions take it; panel/CMakeLists.txt puts the manifest there.
constexpr WORD kManifestResourceId = 2;
}  // namespace

ModuleActivationContext::~ModuleActivationContext() {
    if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
}

HANDLE ModuleActivationContext::get() {
    if (tried_) return context_;
    tried_ = true;
    // The file is named as well as the module, for the systems that read a manifest only from a file.
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module_, path, MAX_PATH);
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = length > 0 && length < MAX_PATH ? path : nullptr;
    request.lpResourceName = MAKEINTRESOURCEW(kManifestResourceId);
    request.hModule = module_;
    context_ = CreateActCtxW(&request);
    return context_;
}

ActivationScope::ActivationScope(HANDLE context) {
    if (context != INVALID_HANDLE_VALUE) active_ = ActivateActCtx(context, &cookie_) != FALSE;
}

ActivationScope::~ActivationScope() {
    if (active_) DeactivateActCtx(0, cookie_);
}

}  // namespace panel::win32
