#pragma once

#include "platform/FileOperations.h"

namespace datrelle::win32 {

// The steps of replacing a file's content, one Windows call each (viewer/FileReplacement
// decides between them).
class Win32FileOperations : public FileOperations {
  public:
    TargetState Examine(const std::string& target) override;
    bool Exists(const std::string& path) override;
    NewFile CreateNew(const std::string& path, std::string_view content) override;
    bool Replace(const std::string& target, const std::string& replacement,
                 const std::string& backup) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Delete(const std::string& path) override;
    std::unique_ptr<OpenFile> OpenInPlace(const std::string& target) override;
    unsigned long ProcessId() const override;
};

}  // namespace datrelle::win32
