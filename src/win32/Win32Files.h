#pragma once

#include "platform/Files.h"

namespace datrelle::win32 {

// Files through the wide functions of kernel32, by any path.
class Win32Files : public Files {
  public:
    PathKind KindOf(std::string_view path) const override;
    std::optional<std::string> FindFirst(std::string_view pattern) const override;
    std::optional<std::string> ReadAll(std::string_view path) const override;
    Replacement ReplaceContent(std::string_view path, std::string_view content) override;
};

}  // namespace datrelle::win32
