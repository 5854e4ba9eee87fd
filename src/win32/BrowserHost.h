#pragma once

#include <windows.h>

#include <exdisp.h>
#include <ole2.h>
#include <wrl/client.h>

#include <functional>
#include <string>

#include "platform/Browser.h"
#include "win32/BrowserSite.h"

// The web browser panel WebBrowser1: the system's browser control, embedded in the
// child window of the host class, which it fills and follows in size. Needs OLE on
// the calling thread (OleScope) for as long as the host lives.

namespace datrelle::win32 {

// The class of the window that holds the control; a window of it that was given a
// BrowserHost keeps the control sized to itself and lets it go when destroyed.
[[nodiscard]] bool RegisterBrowserHostClass(HINSTANCE instance);

class BrowserHost : public Browser {
  public:
    BrowserHost() = default;
    ~BrowserHost() override;
    BrowserHost(const BrowserHost&) = delete;
    BrowserHost& operator=(const BrowserHost&) = delete;

    // Creates the control in host, a window of the host class, activates it there and
    // connects its events. False when there is no browser control or it cannot be
    // embedded (the panel then stays empty and the Browser calls do nothing), or when
    // this object already holds one.
    [[nodiscard]] bool Attach(HWND host);
    // Disconnects the events, deactivates, closes and releases the control. Runs by
    // itself when the host window is destroyed, and from the destructor.
    void Detach() noexcept;
    bool Attached() const { return browser_ != nullptr; }
    // The control, for its settings beyond the Browser calls; nullptr when detached.
    IWebBrowser2* control() const { return browser_.Get(); }

    // Offers a key message to the control while it has the focus, so its own keys
    // (Tab between links, Ctrl+C, Backspace for back) work; true when it took the key.
    // The message loop asks this before anything else.
    bool TranslateKey(MSG& message) noexcept;
    // Whether window is the host or one of the control's windows inside it.
    bool Contains(HWND window) const noexcept;

    // The document's title changed; the new title.
    std::function<void(const std::string& title)> onTitleChange;

    // Browser. The results of Navigate and GoSearch are not looked at: a page that
    // cannot be shown is the control's own business.
    void Navigate(std::string_view address) override;
    void GoSearch() override;
    std::string LocationURL() const override;

  private:
    static LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) noexcept;
    friend bool RegisterBrowserHostClass(HINSTANCE instance);

    bool Embed(HWND host);
    void ConnectEvents();
    void FitToHost() noexcept;
    // The host got the focus (Tab, or the window's focus coming back): the control
    // takes it.
    void FocusControl() noexcept;

    HWND host_ = nullptr;
    Microsoft::WRL::ComPtr<BrowserSite> site_;
    Microsoft::WRL::ComPtr<IOleObject> object_;
    Microsoft::WRL::ComPtr<IOleInPlaceObject> inPlace_;
    Microsoft::WRL::ComPtr<IWebBrowser2> browser_;
    Microsoft::WRL::ComPtr<IConnectionPoint> events_;
    DWORD eventsCookie_ = 0;
};

}  // namespace datrelle::win32
