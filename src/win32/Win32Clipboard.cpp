#include "win32/Win32Clipboard.h"

#include <cstring>

#include "win32/WideText.h"

namespace datrelle::win32 {
namespace {

constexpr int kOpenTries = 10;
constexpr DWORD kPauseBetweenTries = 20;  // milliseconds

// The clipboard opened by this thread, closed again however the copy ends.
class OpenedClipboard {
  public:
    explicit OpenedClipboard(HWND owner) {
        for (int attempt = 0; attempt < kOpenTries; ++attempt) {
            if (OpenClipboard(owner)) {
                open_ = true;
                return;
            }
            if (attempt + 1 < kOpenTries) {
                Sleep(kPauseBetweenTries);
            }
        }
    }
    ~OpenedClipboard() {
        if (open_) {
            // Nothing to do about a failure: the clipboard is ours to close only once.
            CloseClipboard();
        }
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    explicit operator bool() const { return open_; }

  private:
    bool open_ = false;
};

// Global memory that is freed unless the clipboard has taken it over.
class GlobalText {
  public:
    explicit GlobalText(std::wstring_view text)
        : memory_(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
        if (memory_ == nullptr) {
            return;
        }
        auto* chars = static_cast<wchar_t*>(GlobalLock(memory_));
        if (chars == nullptr) {
            GlobalFree(memory_);
            memory_ = nullptr;
            return;
        }
        std::memcpy(chars, text.data(), text.size() * sizeof(wchar_t));
        chars[text.size()] = L'\0';
        // Unlocking the last lock reports "not locked" as a failure of sorts; nothing
        // to check.
        GlobalUnlock(memory_);
    }
    ~GlobalText() {
        if (memory_ != nullptr) {
            GlobalFree(memory_);
        }
    }
    GlobalText(const GlobalText&) = delete;
    GlobalText& operator=(const GlobalText&) = delete;

    HGLOBAL get() const { return memory_; }
    // The clipboard owns the memory from now on.
    void Release() { memory_ = nullptr; }

  private:
    HGLOBAL memory_;
};

}  // namespace

bool Win32Clipboard::SetText(std::string_view text) {
    // The text is prepared first, so the clipboard is held for as short a time as can be.
    GlobalText memory(WideFromUtf8(text));
    if (memory.get() == nullptr) {
        return false;
    }
    const OpenedClipboard clipboard(owner_);
    if (!clipboard || !EmptyClipboard()) {
        return false;
    }
    // Every character as the text has it; Windows offers the text in the code page too to
    // programs that ask for that.
    if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) {
        return false;
    }
    memory.Release();
    return true;
}

}  // namespace datrelle::win32
