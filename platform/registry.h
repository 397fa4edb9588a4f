// The registry as the tools use it: open a key with given rights, read and write DWORD and string values.
// Names and texts are GBK; a text read as UTF-16 stays so.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/types.h"

namespace platform {

enum class RootKey { LocalMachine, CurrentUser };

// One open key; closing it is destroying it.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    virtual bool queryDword(const char* name, std::uint32_t& value) = 0;
    virtual bool setDword(const char* name, std::uint32_t value) = 0;
    virtual bool setString(const char* name, const char* value) = 0;
    // The value's stored bytes, whatever its type, when they fit into capacity bytes: size receives
    // their count. A missing value or one that does not fit writes nothing to data.
    virtual bool queryBytes(const char* name, void* data, std::uint32_t capacity, std::uint32_t& size) = 0;
    // A REG_SZ or REG_EXPAND_SZ value whose stored bytes fit into capacity bytes: data (capacity + 1
    // bytes long) receives exactly those bytes and then a zero, since a text may be stored without its
    // own; size receives their count. A missing value, one of another type or one that does not fit
    // writes nothing to data.
    virtual bool queryText(const char* name, char* data, std::uint32_t capacity, std::uint32_t& size) = 0;
    // The same for a text that stays as Windows stores it, in UTF-16 (a path): capacity and size count
    // UTF-16 units, and data is capacity + 1 units long.
    virtual bool queryWideText(const char* name, char16_t* data, std::uint32_t capacity, std::uint32_t& size) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Null when the key is missing or the rights asked for are refused.
    virtual std::unique_ptr<RegistryKey> open(RootKey root, const char* path, std::uint32_t access) = 0;
};

}  // namespace platform
