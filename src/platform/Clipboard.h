#pragma once

#include <string_view>

namespace datrelle {

class Clipboard {
  public:
    virtual ~Clipboard() = default;

    // Empties the clipboard and puts the text on it as plain text. False when the
    // clipboard could not be had (another program holding it) or the text not set.
    virtual bool SetText(std::string_view text) = 0;
};

}  // namespace datrelle
