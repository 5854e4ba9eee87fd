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
        const auto slash = pattern.rfind('\\');  // patterns always name their folder
        for (const auto& [path, entry] : entries) {
            const auto entrySlash = path.rfind('\\');
            if (IsOrdinary(entry) && entrySlash == slash &&
                SameText(path.substr(0, slash), pattern.substr(0, slash)) &&
                Matches(pattern.substr(slash + 1), std::string_view(path).substr(slash + 1))) {
                return path.substr(slash + 1);
            }
        }
        return std::nullopt;
    }

    std::optional<std::string> ReadAll(std::string_view path) const override {
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

    std::vector<std::pair<std::string, FakeEntry>> entries;
    bool writeFails = false;  // every write fails (a full disk)

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

    // A "*" at the front matches any run of characters; the rest matches as it is.
    static bool Matches(std::string_view mask, std::string_view name) {
        if (!mask.starts_with('*')) {
            return SameText(mask, name);
        }
        mask.remove_prefix(1);
        return name.size() >= mask.size() && SameText(name.substr(name.size() - mask.size()), mask);
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
