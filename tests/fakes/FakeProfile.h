#pragma once

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Profile.h"

// An INI file in memory that follows the rules of the Windows profile functions:
// section and key names match without regard to letter case, a read drops blanks
// around the value and one pair of enclosing quotes and is cut to the buffer, a write
// updates an existing key in place (keeping its letter case), appends a new key at the
// end of its section and a new section at the end of the file, and leaves every other
// line alone. Files are kept as text so tests can prepare and inspect them.

namespace datrelle::fakes {

class FakeProfile : public Profile {
  public:
    struct ReadCall {
        std::string section;
        std::string key;
        std::size_t bufferSize;
        std::string file;
    };

    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferSize,
                          std::string_view file) override {
        reads.push_back({std::string(section), std::string(key), bufferSize, std::string(file)});
        std::string value(defaultValue);
        const std::vector<std::string> lines = SplitLines(FileText(file).value_or(""));
        if (const auto index = FindKey(lines, section, key)) {
            value = Trimmed(lines[*index].substr(lines[*index].find('=') + 1));
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front()) {
                value = value.substr(1, value.size() - 2);
            }
        }
        value.resize(std::min(value.size(), bufferSize == 0 ? 0 : bufferSize - 1));
        return value;
    }

    bool WriteString(std::string_view section, std::string_view key, std::string_view value,
                     std::string_view file) override {
        ++writes;
        if (unwritable.count(std::string(file)) > 0) {
            return false;
        }
        std::vector<std::string> lines = SplitLines(FileText(file).value_or(""));
        const auto at = [&lines](std::size_t i) { return lines.begin() + static_cast<long>(i); };
        if (const auto index = FindKey(lines, section, key)) {
            lines[*index] = Trimmed(lines[*index].substr(0, lines[*index].find('='))) + "=" +
                            std::string(value);
        } else if (const auto header = FindSection(lines, section)) {
            std::size_t last = *header;
            for (std::size_t i = *header + 1; i < lines.size() && !IsHeader(lines[i]); ++i) {
                last = Trimmed(lines[i]).empty() ? last : i;
            }
            lines.insert(at(last + 1), std::string(key) + "=" + std::string(value));
        } else {
            lines.push_back("[" + std::string(section) + "]");
            lines.push_back(std::string(key) + "=" + std::string(value));
        }
        std::string& text = files[std::string(file)];
        text.clear();
        for (const auto& line : lines) {
            text += line + "\r\n";
        }
        return true;
    }

    std::optional<std::string> FileText(std::string_view file) const {
        const auto found = files.find(std::string(file));
        return found == files.end() ? std::nullopt : std::optional<std::string>(found->second);
    }

    std::map<std::string, std::string> files;  // the files by path, as their text
    std::set<std::string> unwritable;          // writes to these fail (read-only file)
    std::vector<ReadCall> reads;
    int writes = 0;

  private:
    static std::string Trimmed(std::string_view text) {
        const auto first = text.find_first_not_of(" \t");
        return first == std::string_view::npos
                   ? std::string()
                   : std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
    }

    static bool SameName(std::string_view a, std::string_view b) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(),
                          [&](char x, char y) { return lower(x) == lower(y); });
    }

    static std::vector<std::string> SplitLines(std::string_view text) {
        std::vector<std::string> lines;
        for (std::size_t pos = 0; pos < text.size();) {
            const auto end = std::min(text.find('\n', pos), text.size());
            std::string line(text.substr(pos, end - pos));
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines.push_back(line);
            pos = end + 1;
        }
        return lines;
    }

    static bool IsHeader(std::string_view line) { return Trimmed(line).starts_with('['); }

    static std::optional<std::size_t> FindSection(const std::vector<std::string>& lines,
                                                  std::string_view section) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string name = Trimmed(lines[i]).substr(IsHeader(lines[i]) ? 1 : 0);
            if (IsHeader(lines[i]) && SameName(Trimmed(name.substr(0, name.find(']'))), section)) {
                return i;
            }
        }
        return std::nullopt;
    }

    static std::optional<std::size_t> FindKey(const std::vector<std::string>& lines,
                                              std::string_view section, std::string_view key) {
        const auto header = FindSection(lines, section);
        for (std::size_t i = header.value_or(lines.size()) + 1;
             i < lines.size() && !IsHeader(lines[i]); ++i) {
            const std::string trimmed = Trimmed(lines[i]);
            if (!trimmed.starts_with(';') && trimmed.find('=') != std::string::npos &&
                SameName(Trimmed(trimmed.substr(0, trimmed.find('='))), key)) {
                return i;
            }
        }
        return std::nullopt;
    }
};

}  // namespace datrelle::fakes
