#pragma once

#include <string>
#include <vector>

#include "platform/Clipboard.h"

namespace datrelle::fakes {

// A clipboard that another program can hold: while held, every attempt fails and
// the text stays as it was.
class FakeClipboard : public Clipboard {
  public:
    bool SetText(std::string_view value) override {
        ++attempts;
        if (heldByAnotherProgram) {
            return false;
        }
        text = value;
        copies.push_back(text);
        return true;
    }

    bool heldByAnotherProgram = false;
    int attempts = 0;
    std::string text = "what the clipboard held before";
    std::vector<std::string> copies;
};

}  // namespace datrelle::fakes
