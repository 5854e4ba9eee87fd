#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace datrelle {

// The notes box Text1: its text lives in the real control, where the user edits it. The
// text is UTF-8 here; the box shows every character.
class NotesBox {
  public:
    virtual ~NotesBox() = default;

    // nullopt when the text cannot be had whole (too large to convert).
    virtual std::optional<std::string> Text() const = 0;
    // False when the box cannot take the text (too large for the memory it can have);
    // it then keeps the text it had.
    [[nodiscard]] virtual bool SetText(std::string_view text) = 0;
};

}  // namespace datrelle
