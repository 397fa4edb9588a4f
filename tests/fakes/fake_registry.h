// In-memory registry for tests: keys hold DWORD and string values; rights can be denied per key,
// and every read and write is recorded in order.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "platform/registry.h"

namespace fakes {

class FakeRegistry : public platform::Registry {
public:
    // REG_DWORD, REG_SZ (stored with its terminator), raw REG_BINARY bytes, and a REG_SZ written by
    // another program in characters beyond GBK (stored with its terminator).
    using Value = std::variant<std::uint32_t, std::string, std::vector<std::uint8_t>, std::u16string>;
    struct Key {
        std::map<std::string, Value> values;
        std::uint32_t grantedAccess = 0xFFFFFFFF;  // rights a caller may ask for
        std::vector<std::string> failingWrites;    // value names whose writes fail
    };
    struct Write {
        std::string path;
        std::string name;
        Value value;
    };

    Key& addKey(platform::RootKey root, const std::string& path);
    Key* findKey(platform::RootKey root, const std::string& path);
    void removeKey(platform::RootKey root, const std::string& path);
    // Only the given rights are granted on that key from now on.
    void grant(platform::RootKey root, const std::string& path, std::uint32_t access);

    const std::vector<Write>& writes() const { return writes_; }
    // The names of the values read, a read of raw bytes with the room it gave: "Port/4".
    const std::vector<std::string>& reads() const { return reads_; }
    struct Open {
        std::string path;
        std::uint32_t access;
        bool opened;
    };
    const std::vector<Open>& opens() const { return opens_; }

    std::unique_ptr<platform::RegistryKey> open(platform::RootKey root, const char* path,
                                                std::uint32_t access) override;

private:
    friend class FakeRegistryKey;
    static std::string Name(platform::RootKey root, const std::string& path);
    std::map<std::string, Key> keys_;  // by "HKLM\path", compared without case as Windows does
    std::vector<Write> writes_;
    std::vector<std::string> reads_;
    std::vector<Open> opens_;
};

}  // namespace fakes
