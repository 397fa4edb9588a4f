#include "tests/fakes/fake_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace fakes {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

}  // namespace

class FakeRegistryKey : public platform::RegistryKey {
public:
    FakeRegistryKey(FakeRegistry& registry, std::string name, std::string path, std::uint32_t access)
        : registry_(registry), name_(std::move(name)), path_(std::move(path)), access_(access) {}

    bool queryDword(const char* name, std::uint32_t& value) override { return query(name, value); }
    bool queryText(const char* name, char* data, std::uint32_t capacity, std::uint32_t& size) override {
        return queryTextAs(name, data, capacity, size);
    }
    bool queryWideText(const char* name, char16_t* data, std::uint32_t capacity, std::uint32_t& size) override {
        return queryTextAs(name, data, capacity, size);
    }
    bool queryBytes(const char* name, void* data, std::uint32_t capacity, std::uint32_t& size) override {
        registry_.reads_.push_back(std::string(name) + "/" + std::to_string(capacity));
        auto* v = find(name);
        if (!v || !(access_ & platform::kKeyQueryValue)) return false;
        std::vector<std::uint8_t> bytes;
        if (auto* dword = std::get_if<std::uint32_t>(v)) {
            bytes.resize(sizeof *dword);
            std::memcpy(bytes.data(), dword, sizeof *dword);
        } else if (auto* text = std::get_if<std::string>(v)) {
            bytes.assign(text->begin(), text->end());
            bytes.push_back(0);
        } else if (auto* wide = std::get_if<std::u16string>(v)) {
            for (char16_t unit : *wide) bytes.insert(bytes.end(), {std::uint8_t(unit & 0xFF), std::uint8_t(unit >> 8)});
            bytes.insert(bytes.end(), {0, 0});
        } else {
            bytes = std::get<std::vector<std::uint8_t>>(*v);
        }
        if (bytes.size() > capacity) return false;
        if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
        size = static_cast<std::uint32_t>(bytes.size());
        return true;
    }
    bool setDword(const char* name, std::uint32_t value) override { return set(name, value); }
    bool setString(const char* name, const char* value) override { return set(name, std::string(value)); }

private:
    // A text as stored, with its terminator and one more. A GBK text's bytes pass as UTF-16 units when they
    // are ASCII, as every narrow text the tests store for a wide read is.
    template <typename Char>
    bool queryTextAs(const char* name, Char* data, std::uint32_t capacity, std::uint32_t& size) {
        registry_.reads_.push_back(std::string(name) + "/" + std::to_string(capacity));
        auto* v = find(name);
        if (!v || !(access_ & platform::kKeyQueryValue)) return false;
        std::basic_string<Char> text;
        if (const auto* narrow = std::get_if<std::string>(v)) {
            text.assign(narrow->begin(), narrow->end());
        } else if (const auto* wide = std::get_if<std::u16string>(v); wide && sizeof(Char) == sizeof(char16_t)) {
            text.assign(wide->begin(), wide->end());
        } else {
            return false;
        }
        if (text.size() + 1 > capacity) return false;
        std::copy(text.begin(), text.end(), data);
        data[text.size()] = Char{};
        data[text.size() + 1] = Char{};
        size = static_cast<std::uint32_t>(text.size() + 1);
        return true;
    }
    // A value of the type asked for.
    template <typename T>
    bool query(const char* name, T& value) {
        registry_.reads_.push_back(name);
        auto* v = find(name);
        if (!v || !(access_ & platform::kKeyQueryValue) || !std::holds_alternative<T>(*v)) return false;
        value = std::get<T>(*v);
        return true;
    }
    FakeRegistry::Key* key() {
        auto it = registry_.keys_.find(name_);
        return it == registry_.keys_.end() ? nullptr : &it->second;
    }
    FakeRegistry::Value* find(const char* name) {
        auto* k = key();
        if (!k) return nullptr;
        auto it = k->values.find(name);
        return it == k->values.end() ? nullptr : &it->second;
    }
    bool set(const char* name, FakeRegistry::Value value) {
        auto* k = key();
        if (!k || !(access_ & platform::kKeySetValue)) return false;
        if (std::find(k->failingWrites.begin(), k->failingWrites.end(), name) != k->failingWrites.end()) return false;
        k->values[name] = value;
        registry_.writes_.push_back({path_, name, value});
        return true;
    }

    FakeRegistry& registry_;
    std::string name_;
    std::string path_;
    std::uint32_t access_;
};

std::string FakeRegistry::Name(platform::RootKey root, const std::string& path) {
    return Lower((root == platform::RootKey::LocalMachine ? "HKLM\\" : "HKCU\\") + path);
}

FakeRegistry::Key& FakeRegistry::addKey(platform::RootKey root, const std::string& path) {
    return keys_[Name(root, path)];
}

FakeRegistry::Key* FakeRegistry::findKey(platform::RootKey root, const std::string& path) {
    auto it = keys_.find(Name(root, path));
    return it == keys_.end() ? nullptr : &it->second;
}

void FakeRegistry::removeKey(platform::RootKey root, const std::string& path) { keys_.erase(Name(root, path)); }

void FakeRegistry::grant(platform::RootKey root, const std::string& path, std::uint32_t access) {
    addKey(root, path).grantedAccess = access;
}

std::unique_ptr<platform::RegistryKey> FakeRegistry::open(platform::RootKey root, const char* path,
                                                          std::uint32_t access) {
    auto* key = findKey(root, path);
    const bool opened = key && (access & ~key->grantedAccess) == 0;
    opens_.push_back({path, access, opened});
    if (!opened) return nullptr;
    return std::make_unique<FakeRegistryKey>(*this, Name(root, path), path, access);
}

}  // namespace fakes
