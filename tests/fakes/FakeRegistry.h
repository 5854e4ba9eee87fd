#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Registry.h"

// A registry in memory. Key paths match without regard to letter case, as in the real
// registry; a root can be made to refuse opening, as the machine-wide keys do for a
// user without administrator rights. Every open and every close is counted, so a test
// sees that no key stays open.

namespace datrelle::fakes {

struct FakeRegValue {
    std::uint32_t type = 0;
    std::string bytes;  // as written, a string's NUL included
};

struct RegOpen {
    RegistryRoot root;
    std::string subKey;
    std::uint32_t access;
    bool create;
};

class FakeRegistry : public Registry {
  public:
    using Values = std::map<std::string, FakeRegValue>;

    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, std::string_view subKey,
                                         std::uint32_t access) override {
        return Open(root, subKey, access, false);
    }

    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, std::string_view subKey,
                                           std::uint32_t access) override {
        return Open(root, subKey, access, true);
    }

    // Makes the key exist, as the system's own keys do.
    Values& AddKey(RegistryRoot root, std::string_view subKey) { return keys[Path(root, subKey)]; }

    // The values of a key, or nullptr when the key does not exist.
    const Values* Key(RegistryRoot root, std::string_view subKey) const {
        const auto found = keys.find(Path(root, subKey));
        return found == keys.end() ? nullptr : &found->second;
    }

    std::map<std::pair<RegistryRoot, std::string>, Values> keys;
    std::set<RegistryRoot> refused;  // roots where opening and creating fail
    bool writesFail = false;         // opening works, setting a value fails
    std::vector<RegOpen> opens;
    int openKeys = 0;

  private:
    class OpenedKey final : public RegistryKey {
      public:
        OpenedKey(FakeRegistry& owner, Values& values) : owner_(owner), values_(values) {
            ++owner_.openKeys;
        }
        ~OpenedKey() override { --owner_.openKeys; }

        std::optional<RegistryValue> QueryValue(std::string_view name) override {
            const auto found = values_.find(std::string(name));
            if (found == values_.end()) {
                return std::nullopt;
            }
            return RegistryValue{found->second.type, found->second.bytes};
        }

        RegistryStatus SetValue(std::string_view name, std::uint32_t type,
                                std::string_view bytes) override {
            if (owner_.writesFail) {
                return 5;  // access denied
            }
            values_[std::string(name)] = {type, std::string(bytes)};
            return kRegistrySuccess;
        }

        RegistryStatus DeleteValue(std::string_view name) override {
            return values_.erase(std::string(name)) > 0 ? kRegistrySuccess : 2;  // not found
        }

      private:
        FakeRegistry& owner_;
        Values& values_;
    };

    static std::pair<RegistryRoot, std::string> Path(RegistryRoot root, std::string_view subKey) {
        std::string path(subKey);
        for (char& c : path) {
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
        }
        // "RUN\" and "RUN" name the same key.
        while (!path.empty() && path.back() == '\\') {
            path.pop_back();
        }
        return {root, path};
    }

    std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view subKey,
                                      std::uint32_t access, bool create) {
        opens.push_back({root, std::string(subKey), access, create});
        if (refused.count(root) != 0) {
            return nullptr;
        }
        const auto path = Path(root, subKey);
        auto found = keys.find(path);
        if (found == keys.end()) {
            if (!create) {
                return nullptr;
            }
            found = keys.emplace(path, Values{}).first;
        }
        return std::make_unique<OpenedKey>(*this, found->second);
    }
};

}  // namespace datrelle::fakes
