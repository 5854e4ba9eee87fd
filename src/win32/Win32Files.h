#pragma once

#include "platform/FileOperations.h"

namespace datrelle::win32 {

// Files through the wide functions of kernel32, by any path: what is there and what it
// holds, and the steps of replacing a file's content, one Windows call each.
class Win32Files : public FileOperations {
  public:
    PathKind KindOf(std::string_view path) const override;
    std::optional<std::string> FindFirst(std::string_view pattern) const override;
    std::optional<std::string> ReadAll(std::string_view path) const override;

    TargetState Examine(const std::string& target) override;
    NewFile CreateNew(const std::string& path, std::string_view content) override;
    bool Replace(const std::string& target, const std::string& replacement,
                 const std::string& backup) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Delete(const std::string& path) override;
    std::unique_ptr<OpenFile> OpenInPlace(const std::string& target) override;
    unsigned long ProcessId() const override;
};

}  // namespace datrelle::win32
