#pragma once

#include <windows.h>

#include <ole2.h>
#include <wrl/client.h>

#include <atomic>
#include <functional>
#include <string>

// The container side of the embedded browser control: the client site, the in-place
// site and frame it asks for while it activates, and the sink for its events. Only
// what the control needs to live inside one child window is implemented; everything
// a document container could offer beyond that (menus, toolbars, borders, undo)
// answers "not implemented", which the control handles by doing without.
//
// The site is reference counted, as COM wants: the control holds it while it is
// attached. Its owner detaches it before letting go, so a late call from the control
// never reaches a window or a handler that is gone.

namespace datrelle::win32 {

// COM interfaces have no virtual destructor by design: an object is destroyed only by
// its own Release, never through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

class BrowserSite final : public IOleClientSite,
                          public IOleInPlaceSite,
                          public IOleInPlaceFrame,
                          public IDispatch {
  public:
    using TitleHandler = std::function<void(const std::string& title)>;

    // A new site; nullptr when out of memory. host: the window the control fills.
    static Microsoft::WRL::ComPtr<BrowserSite> Create(HWND host) noexcept;

    // The title-change notification, with the new title.
    void SetTitleHandler(TitleHandler handler) { onTitleChange_ = std::move(handler); }
    // Forgets the window, the handler and the active object: from now on the site only
    // answers politely.
    void Detach() noexcept;
    // The object the control named active when it was UI-activated (it takes the keys),
    // nullptr before that and after it was UI-deactivated.
    IOleInPlaceActiveObject* ActiveObject() const noexcept { return activeObject_.Get(); }

    // Sites alive in this process; tests use it to see that every reference went away.
    static long LiveCount() noexcept { return liveCount_.load(); }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) noexcept override;
    STDMETHODIMP_(ULONG) AddRef() noexcept override;
    STDMETHODIMP_(ULONG) Release() noexcept override;

    // IOleClientSite
    STDMETHODIMP SaveObject() noexcept override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) noexcept override;
    STDMETHODIMP GetContainer(IOleContainer** container) noexcept override;
    STDMETHODIMP ShowObject() noexcept override;
    STDMETHODIMP OnShowWindow(BOOL show) noexcept override;
    STDMETHODIMP RequestNewObjectLayout() noexcept override;

    // IOleWindow, shared by the in-place site and the frame
    STDMETHODIMP GetWindow(HWND* window) noexcept override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) noexcept override;

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() noexcept override;
    STDMETHODIMP OnInPlaceActivate() noexcept override;
    STDMETHODIMP OnUIActivate() noexcept override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  RECT* position, RECT* clip,
                                  OLEINPLACEFRAMEINFO* frameInfo) noexcept override;
    STDMETHODIMP Scroll(SIZE extent) noexcept override;
    STDMETHODIMP OnUIDeactivate(BOOL undoable) noexcept override;
    STDMETHODIMP OnInPlaceDeactivate() noexcept override;
    STDMETHODIMP DiscardUndoState() noexcept override;
    STDMETHODIMP DeactivateAndUndo() noexcept override;
    STDMETHODIMP OnPosRectChange(const RECT* position) noexcept override;

    // IOleInPlaceUIWindow
    STDMETHODIMP GetBorder(RECT* border) noexcept override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS widths) noexcept override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) noexcept override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR name) noexcept override;

    // IOleInPlaceFrame
    STDMETHODIMP InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) noexcept override;
    STDMETHODIMP SetMenu(HMENU shared, HOLEMENU descriptor, HWND object) noexcept override;
    STDMETHODIMP RemoveMenus(HMENU shared) noexcept override;
    STDMETHODIMP SetStatusText(LPCOLESTR text) noexcept override;
    STDMETHODIMP EnableModeless(BOOL enable) noexcept override;
    STDMETHODIMP TranslateAccelerator(MSG* message, WORD id) noexcept override;

    // IDispatch: the browser's DWebBrowserEvents2 arrive here.
    STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) noexcept override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                               DISPID* ids) noexcept override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* badArgument) noexcept override;

  private:
    explicit BrowserSite(HWND host) noexcept;
    ~BrowserSite();  // only Release deletes

    void OnTitleChange(const DISPPARAMS& params) noexcept;

    static inline std::atomic<long> liveCount_{0};

    std::atomic<ULONG> references_{1};
    HWND host_;
    TitleHandler onTitleChange_;
    // Held from SetActiveObject until the control names another or none; a reference
    // back to the control, so Detach lets it go.
    Microsoft::WRL::ComPtr<IOleInPlaceActiveObject> activeObject_;
};

#pragma GCC diagnostic pop

}  // namespace datrelle::win32
