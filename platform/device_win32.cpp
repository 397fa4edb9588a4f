#include <windows.h>

#include "platform/handles_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/win32.h"

namespace platform::win32 {

namespace {

class Handle : public DeviceHandle {
public:
    explicit Handle(UniqueKernelHandle handle) : handle_(std::move(handle)) {}

    bool control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                 std::uint32_t* returned) override {
        DWORD count = 0;
        const BOOL ok =
            DeviceIoControl(handle_.get(), code, const_cast<void*>(in), inSize, out, outSize, &count, nullptr);
        if (returned) *returned = ok ? count : 0;
        return ok != FALSE;
    }

private:
    UniqueKernelHandle handle_;
};

}  // namespace

std::unique_ptr<DeviceHandle> Devices::open(const char* path, std::uint32_t shareMode) {
    UniqueKernelHandle handle(CreateFileW(WideText(path).get(), GENERIC_READ | GENERIC_WRITE, shareMode, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) return nullptr;
    return std::make_unique<Handle>(std::move(handle));
}

}  // namespace platform::win32
