#pragma once

#include <windows.h>

#include <functional>

// Reports double clicks on a control that does not tell its parent about them, such as
// the notes box Text1 (an edit control). The control keeps its own handling of the
// double click; the handler runs after it.

namespace datrelle::win32 {

class DoubleClickWatch {
  public:
    DoubleClickWatch() = default;
    ~DoubleClickWatch() { Detach(); }
    DoubleClickWatch(const DoubleClickWatch&) = delete;
    DoubleClickWatch& operator=(const DoubleClickWatch&) = delete;

    // Starts watching control; false when it cannot be subclassed or another control is
    // already watched.
    [[nodiscard]] bool Attach(HWND control, std::function<void()> onDoubleClick);
    // Stops watching; also done when the control is destroyed.
    void Detach() noexcept;

  private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data) noexcept;
    void OnDoubleClick(HWND window) noexcept;

    HWND control_ = nullptr;
    std::function<void()> onDoubleClick_;
};

}  // namespace datrelle::win32
