#pragma once

#include <windows.h>

#include <utility>

// One small owner for every kind of handle the program creates, so nothing it makes
// outlives its use and nothing is released twice.

namespace datrelle::win32 {

template <typename Handle, typename Deleter>
class Unique {
  public:
    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    ~Unique() { reset(); }

    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, Handle{}));
        }
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }

    void reset(Handle handle = Handle{}) {
        if (handle_ != Handle{}) {
            Deleter{}(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_{};
};

// Release failures are ignored: nothing useful can be done about a handle that
// cannot be released, and every one of these is released only once.
struct IconDeleter {
    void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
struct GdiDeleter {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
struct MenuDeleter {
    void operator()(HMENU menu) const noexcept { DestroyMenu(menu); }
};
struct HandleDeleter {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
struct FindDeleter {
    void operator()(HANDLE search) const noexcept { FindClose(search); }
};
struct KeyDeleter {
    void operator()(HKEY key) const noexcept { RegCloseKey(key); }
};

using UniqueIcon = Unique<HICON, IconDeleter>;
using UniqueFont = Unique<HFONT, GdiDeleter>;
using UniqueMenu = Unique<HMENU, MenuDeleter>;
using UniqueHandle = Unique<HANDLE, HandleDeleter>;
using UniqueFind = Unique<HANDLE, FindDeleter>;  // FindFirstFileW's search
using UniqueKey = Unique<HKEY, KeyDeleter>;

}  // namespace datrelle::win32
