#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Files.h"

// Files in memory with the attributes the program cares about. Paths match without
// regard to letter case, as on Windows; a directory search yields entries in the order
// they were added.

namespace datrelle::fakes {

struct FakeEntry {
    std::string content;
    bool folder = false;
    bool hidden = false;
    bool system = false;
    bool unreadable = false;  // exists, but opening it fails (locked, no permission)
    bool writeFails = false;  // replacing its content fails
};

class FakeFiles : public Files {
  public:
    FakeEntry& Add(std::string_view path, std::string_view content = {}) {
        FakeEntry* entry = Find(path);
        if (entry == nullptr) {
            entry = &entries.emplace_back(std::string(path), FakeEntry{}).second;
        }
        entry->content = std::string(content);
        return *entry;
    }

    bool IsOrdinaryFile(std::string_view path) const override {
        const FakeEntry* entry = Find(path);
        return entry != nullptr && IsOrdinary(*entry);
    }

    std::optional<std::string> FindFirst(std::string_view pattern) const override {
        const auto slash = pattern.rfind('\\');
        const std::string_view folder =
            slash == std::string_view::npos ? std::string_view() : pattern.substr(0, slash);
        const std::string_view mask =
            slash == std::string_view::npos ? pattern : pattern.substr(slash + 1);
        for (const auto& [path, entry] : entries) {
            const auto entrySlash = path.rfind('\\');
            const std::string_view entryFolder = entrySlash == std::string::npos
                                                     ? std::string_view()
                                                     : std::string_view(path).substr(0, entrySlash);
            const std::string_view name = entrySlash == std::string::npos
                                              ? std::string_view(path)
                                              : std::string_view(path).substr(entrySlash + 1);
            if (IsOrdinary(entry) && SameText(entryFolder, folder) && Matches(mask, name)) {
                return std::string(name);
            }
        }
        return std::nullopt;
    }

    std::optional<std::string> ReadAll(std::string_view path) const override {
        ++readCount;
        const FakeEntry* entry = Find(path);
        if (entry == nullptr || entry->folder || entry->unreadable) {
            return std::nullopt;
        }
        return entry->content;
    }

    bool ReplaceContent(std::string_view path, std::string_view content) override {
        FakeEntry* entry = Find(path);
        if (writeFails || (entry != nullptr && (entry->folder || entry->writeFails))) {
            return false;
        }
        Add(path, content);
        return true;
    }

    std::optional<std::string> Content(std::string_view path) const {
        const FakeEntry* entry = Find(path);
        return entry == nullptr ? std::nullopt : std::optional<std::string>(entry->content);
    }

    std::vector<std::pair<std::string, FakeEntry>> entries;
    bool writeFails = false;  // every write fails (a full disk)
    mutable int readCount = 0;

  private:
    static bool IsOrdinary(const FakeEntry& entry) {
        return !entry.folder && !entry.hidden && !entry.system;
    }

    static char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

    static bool SameText(std::string_view a, std::string_view b) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(),
                          [](char x, char y) { return Lower(x) == Lower(y); });
    }

    // "*" matches any run of characters, "?" any one character.
    static bool Matches(std::string_view mask, std::string_view name) {
        if (mask.empty()) {
            return name.empty();
        }
        if (mask.front() == '*') {
            for (std::size_t skip = 0; skip <= name.size(); ++skip) {
                if (Matches(mask.substr(1), name.substr(skip))) {
                    return true;
                }
            }
            return false;
        }
        if (name.empty()) {
            return false;
        }
        return (mask.front() == '?' || Lower(mask.front()) == Lower(name.front())) &&
               Matches(mask.substr(1), name.substr(1));
    }

    FakeEntry* Find(std::string_view path) {
        for (auto& [entryPath, entry] : entries) {
            if (SameText(entryPath, path)) {
                return &entry;
            }
        }
        return nullptr;
    }
    const FakeEntry* Find(std::string_view path) const {
        return const_cast<FakeFiles*>(this)->Find(path);
    }
};

}  // namespace datrelle::fakes
