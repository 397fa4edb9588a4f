// Sole ownership of one system handle, of the kind its traits name: closed exactly once, moved but
// never copied.
#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

namespace platform {

// The one validity rule for every handle kind: the system hands out null for some failures and
// INVALID_HANDLE_VALUE (all bits set) for others, and neither may be closed.
template <typename Handle>
bool IsValidHandle(Handle handle) {
    static_assert(std::is_pointer_v<Handle>, "system handles are pointer-sized opaque values");
    return handle != nullptr && reinterpret_cast<std::uintptr_t>(handle) != ~std::uintptr_t{0};
}

// Traits: `using Handle = ...;` and `static void close(Handle)`.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    bool valid() const { return IsValidHandle(handle_); }
    explicit operator bool() const { return valid(); }

    // Gives the handle up without closing it.
    Handle release() { return std::exchange(handle_, Handle{}); }
    // Closes the handle held, if valid, and takes the new one.
    void reset(Handle handle = Handle{}) {
        const Handle old = std::exchange(handle_, handle);
        if (IsValidHandle(old)) Traits::close(old);
    }

private:
    Handle handle_{};
};

}  // namespace platform
