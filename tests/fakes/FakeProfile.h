#pragma once

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
    struct WriteCall {
        std::string section;
        std::string key;
        std::string value;
        std::string file;
    };

    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferSize,
                          std::string_view file) override {
        reads.push_back({std::string(section), std::string(key), bufferSize, std::string(file)});
        std::string value(defaultValue);
        if (const auto text = FileText(file)) {
            const std::vector<std::string> lines = SplitLines(*text);
            if (const auto index = FindKey(lines, section, key)) {
                value = Unquoted(Trimmed(ValuePart(lines[*index])));
            }
        }
        if (bufferSize == 0) {
            return {};
        }
        if (value.size() > bufferSize - 1) {
            value.resize(bufferSize - 1);
        }
        return value;
    }

    bool WriteString(std::string_view section, std::string_view key, std::string_view value,
                     std::string_view file) override {
        writes.push_back(
            {std::string(section), std::string(key), std::string(value), std::string(file)});
        if (unwritable.count(std::string(file)) > 0) {
            return false;
        }
        std::vector<std::string> lines = SplitLines(FileText(file).value_or(""));
        const std::string newLine = std::string(key) + "=" + std::string(value);
        if (const auto index = FindKey(lines, section, key)) {
            lines[*index] = Trimmed(KeyPart(lines[*index])) + "=" + std::string(value);
        } else if (const auto header = FindSection(lines, section)) {
            std::size_t last = *header;
            for (std::size_t i = *header + 1; i < lines.size() && !IsHeader(lines[i]); ++i) {
                if (!Trimmed(lines[i]).empty()) {
                    last = i;
                }
            }
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(last) + 1, newLine);
        } else {
            lines.push_back("[" + std::string(section) + "]");
            lines.push_back(newLine);
        }
        std::string text;
        for (const auto& line : lines) {
            text += line;
            text += "\r\n";
        }
        files[std::string(file)] = text;
        return true;
    }

    std::optional<std::string> FileText(std::string_view file) const {
        const auto found = files.find(std::string(file));
        if (found == files.end()) {
            return std::nullopt;
        }
        return found->second;
    }

    // The files by path, as their text.
    std::map<std::string, std::string> files;
    // Writes to these files fail (read-only file, missing folder).
    std::set<std::string> unwritable;
    std::vector<ReadCall> reads;
    std::vector<WriteCall> writes;

  private:
    static std::string Trimmed(std::string_view text) {
        const auto first = text.find_first_not_of(" \t");
        if (first == std::string_view::npos) {
            return {};
        }
        const auto last = text.find_last_not_of(" \t");
        return std::string(text.substr(first, last - first + 1));
    }

    static std::string Unquoted(const std::string& value) {
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            return value.substr(1, value.size() - 2);
        }
        return value;
    }

    static bool SameName(std::string_view a, std::string_view b) {
        if (a.size() != b.size()) {
            return false;
        }
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (Lower(a[i]) != Lower(b[i])) {
                return false;
            }
        }
        return true;
    }

    static char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

    static std::vector<std::string> SplitLines(std::string_view text) {
        std::vector<std::string> lines;
        std::size_t pos = 0;
        while (pos < text.size()) {
            auto end = text.find('\n', pos);
            if (end == std::string_view::npos) {
                end = text.size();
            }
            std::string line(text.substr(pos, end - pos));
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines.push_back(line);
            pos = end + 1;
        }
        return lines;
    }

    static bool IsHeader(std::string_view line) {
        const std::string trimmed = Trimmed(line);
        return !trimmed.empty() && trimmed.front() == '[';
    }

    static std::string SectionName(std::string_view line) {
        std::string name = Trimmed(line).substr(1);
        if (const auto close = name.find(']'); close != std::string::npos) {
            name.resize(close);
        }
        return Trimmed(name);
    }

    static bool IsKeyLine(std::string_view line) {
        const std::string trimmed = Trimmed(line);
        return !trimmed.empty() && trimmed.front() != ';' && trimmed.find('=') != std::string::npos;
    }

    static std::string_view KeyPart(std::string_view line) {
        return line.substr(0, line.find('='));
    }
    static std::string_view ValuePart(std::string_view line) {
        return line.substr(line.find('=') + 1);
    }

    static std::optional<std::size_t> FindSection(const std::vector<std::string>& lines,
                                                  std::string_view section) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (IsHeader(lines[i]) && SameName(SectionName(lines[i]), section)) {
                return i;
            }
        }
        return std::nullopt;
    }

    static std::optional<std::size_t> FindKey(const std::vector<std::string>& lines,
                                              std::string_view section, std::string_view key) {
        const auto header = FindSection(lines, section);
        if (!header) {
            return std::nullopt;
        }
        for (std::size_t i = *header + 1; i < lines.size() && !IsHeader(lines[i]); ++i) {
            if (IsKeyLine(lines[i]) && SameName(Trimmed(KeyPart(lines[i])), key)) {
                return i;
            }
        }
        return std::nullopt;
    }
};

}  // namespace datrelle::fakes
