#include <windows.h>

#include <cstring>
#include <memory>

#include "platform/handles_win32.h"
#include "platform/win32.h"

namespace platform::win32 {

namespace {

class Key : public RegistryKey {
public:
    explicit Key(UniqueRegistryKey key) : key_(std::move(key)) {}

    bool queryDword(const char* name, std::uint32_t& value) override {
        DWORD type = 0, data = 0, size = sizeof data;
        if (RegQueryValueExA(key_.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof data)
            return false;
        value = data;
        return true;
    }
    bool setDword(const char* name, std::uint32_t value) override {
        DWORD data = value;
        return RegSetValueExA(key_.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) ==
               ERROR_SUCCESS;
    }
    bool setString(const char* name, const char* value) override {
        return RegSetValueExA(key_.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                              static_cast<DWORD>(std::strlen(value) + 1)) == ERROR_SUCCESS;
    }

    bool queryBytes(const char* name, void* data, std::uint32_t capacity, std::uint32_t& size) override {
        // Windows leaves the buffer undefined when the value does not fit; read into our own first.
        const auto buffer = std::make_unique_for_overwrite<BYTE[]>(capacity ? capacity : 1);
        DWORD got = capacity;
        if (RegQueryValueExA(key_.get(), name, nullptr, nullptr, buffer.get(), &got) != ERROR_SUCCESS || got > capacity)
            return false;
        std::memcpy(data, buffer.get(), got);
        size = got;
        return true;
    }

    bool queryText(const char* name, char* data, std::uint32_t capacity, std::uint32_t& size) override {
        const auto buffer = std::make_unique_for_overwrite<BYTE[]>(capacity ? capacity : 1);
        DWORD type = 0, got = capacity;
        if (RegQueryValueExA(key_.get(), name, nullptr, &type, buffer.get(), &got) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ) || got > capacity)
            return false;
        // The system copies the stored bytes only, without a terminator a text was stored without.
        std::memcpy(data, buffer.get(), got);
        data[got] = '\0';
        size = got;
        return true;
    }

private:
    UniqueRegistryKey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Registry::open(RootKey root, const char* path, std::uint32_t access) {
    HKEY key = nullptr;
    HKEY base = root == RootKey::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    if (RegOpenKeyExA(base, path, 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Key>(UniqueRegistryKey(key));
}

}  // namespace platform::win32
