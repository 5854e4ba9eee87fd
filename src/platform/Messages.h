#pragma once

#include <string_view>

namespace datrelle {

// The program's plain message box: an OK button only, no icon, the program's title as
// caption. Returns when the user has closed it.
class Messages {
  public:
    virtual ~Messages() = default;

    virtual void Show(std::string_view text) = 0;
};

}  // namespace datrelle
