#include <windows.h>

#include <cstring>
#include <cwchar>
#include <memory>

#include "platform/handles_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/win32.h"

namespace platform::win32 {

namespace {

class Key : public RegistryKey {
public:
    explicit Key(UniqueRegistryKey key) : key_(std::move(key)) {}

    bool queryDword(const char* name, std::uint32_t& value) override {
        DWORD type = 0, data = 0, size = sizeof data;
        if (RegQueryValueExW(key_.get(), WideText(name).get(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof data)
            return false;
        value = data;
        return true;
    }
    bool setDword(const char* name, std::uint32_t value) override {
        DWORD data = value;
        return RegSetValueExW(key_.get(), WideText(name).get(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                              sizeof data) == ERROR_SUCCESS;
    }
    bool setString(const char* name, const char* value) override {
        const WideText text(value);
        return RegSetValueExW(key_.get(), WideText(name).get(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.get()),
                              static_cast<DWORD>((std::wcslen(text.get()) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }

    bool queryBytes(const char* name, void* data, std::uint32_t capacity, std::uint32_t& size) override {
        // Windows leaves the buffer undefined when the value does not fit; read into our own first.
        const auto buffer = std::make_unique_for_overwrite<BYTE[]>(capacity ? capacity : 1);
        DWORD got = capacity;
        if (RegQueryValueExW(key_.get(), WideText(name).get(), nullptr, nullptr, buffer.get(), &got) != ERROR_SUCCESS ||
            got > capacity)
            return false;
        std::memcpy(data, buffer.get(), got);
        size = got;
        return true;
    }

    bool queryText(const char* name, char* data, std::uint32_t capacity, std::uint32_t& size) override {
        // The stored UTF-16 units, each of which becomes one or two GBK bytes: the value in GBK fits into
        // capacity bytes only if its units do.
        const std::uint32_t units = capacity ? capacity : 1;
        const auto buffer = std::make_unique_for_overwrite<wchar_t[]>(units);
        DWORD type = 0, got = units * sizeof(wchar_t);
        if (!readText(name, buffer.get(), type, got)) return false;
        // Every unit, a stored terminator too: the bytes the value has in GBK.
        const std::size_t room = 2 * std::size_t{units} + 1;
        const auto text = std::make_unique_for_overwrite<char[]>(room);
        const std::size_t bytes =
            GbkFromWide(buffer.get(), static_cast<int>(got / sizeof(wchar_t)), {text.get(), room});
        if (bytes > capacity) return false;
        std::memcpy(data, text.get(), bytes);
        data[bytes] = '\0';
        size = static_cast<std::uint32_t>(bytes);
        return true;
    }

    bool queryWideText(const char* name, char16_t* data, std::uint32_t capacity, std::uint32_t& size) override {
        static_assert(sizeof(char16_t) == sizeof(wchar_t));
        const auto buffer = std::make_unique_for_overwrite<wchar_t[]>(capacity ? capacity : 1);
        DWORD type = 0, got = capacity * sizeof(wchar_t);
        if (!readText(name, buffer.get(), type, got)) return false;
        const std::uint32_t count = got / sizeof(wchar_t);
        std::memcpy(data, buffer.get(), count * sizeof(wchar_t));
        data[count] = u'\0';
        size = count;
        return true;
    }

private:
    // A REG_SZ or REG_EXPAND_SZ value that fits into size bytes; size receives its byte count.
    bool readText(const char* name, wchar_t* buffer, DWORD& type, DWORD& size) {
        const DWORD room = size;
        return RegQueryValueExW(key_.get(), WideText(name).get(), nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                                &size) == ERROR_SUCCESS &&
               (type == REG_SZ || type == REG_EXPAND_SZ) && size <= room;
    }

    UniqueRegistryKey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Registry::open(RootKey root, const char* path, std::uint32_t access) {
    HKEY key = nullptr;
    HKEY base = root == RootKey::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    if (RegOpenKeyExW(base, WideText(path).get(), 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Key>(UniqueRegistryKey(key));
}

}  // namespace platform::win32
