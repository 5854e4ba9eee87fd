#include "win32/BrowserSite.h"

#include <exdisp.h>
#include <exdispid.h>

#include <new>

#include "win32/Abandoned.h"
#include "win32/WideText.h"

namespace datrelle::win32 {

Microsoft::WRL::ComPtr<BrowserSite> BrowserSite::Create(HWND host) noexcept {
    Microsoft::WRL::ComPtr<BrowserSite> site;
    BrowserSite* created = new (std::nothrow) BrowserSite(host);
    if (created != nullptr) {
        // Not ComPtr::Attach: mingw-w64's adds a reference, unlike the Windows SDK's.
        site = created;
        created->Release();  // the reference it was born with
    }
    return site;
}

BrowserSite::BrowserSite(HWND host) noexcept : host_(host) {
    ++liveCount_;
}

BrowserSite::~BrowserSite() {
    --liveCount_;
}

void BrowserSite::Detach() noexcept {
    host_ = nullptr;
    onTitleChange_ = nullptr;
    activeObject_.Reset();
}

// IUnknown

STDMETHODIMP BrowserSite::QueryInterface(REFIID iid, void** object) noexcept {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
        *object = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite)) {
        *object = static_cast<IOleInPlaceSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame)) {
        *object = static_cast<IOleInPlaceFrame*>(this);
    } else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, DIID_DWebBrowserEvents2)) {
        *object = static_cast<IDispatch*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) BrowserSite::AddRef() noexcept {
    return ++references_;
}

STDMETHODIMP_(ULONG) BrowserSite::Release() noexcept {
    const ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

// IOleClientSite: the control is never saved, linked or given a container.

STDMETHODIMP BrowserSite::SaveObject() noexcept {
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) noexcept {
    if (moniker != nullptr) {
        *moniker = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::GetContainer(IOleContainer** container) noexcept {
    if (container != nullptr) {
        *container = nullptr;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP BrowserSite::ShowObject() noexcept {
    return S_OK;  // it is always shown: it fills its window
}

STDMETHODIMP BrowserSite::OnShowWindow(BOOL) noexcept {
    return S_OK;
}

STDMETHODIMP BrowserSite::RequestNewObjectLayout() noexcept {
    return E_NOTIMPL;
}

// IOleWindow

STDMETHODIMP BrowserSite::GetWindow(HWND* window) noexcept {
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = host_;
    return host_ != nullptr ? S_OK : E_FAIL;
}

STDMETHODIMP BrowserSite::ContextSensitiveHelp(BOOL) noexcept {
    return E_NOTIMPL;
}

// IOleInPlaceSite

STDMETHODIMP BrowserSite::CanInPlaceActivate() noexcept {
    return host_ != nullptr ? S_OK : S_FALSE;
}

STDMETHODIMP BrowserSite::OnInPlaceActivate() noexcept {
    return S_OK;
}

STDMETHODIMP BrowserSite::OnUIActivate() noexcept {
    return S_OK;
}

STDMETHODIMP BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                           RECT* position, RECT* clip,
                                           OLEINPLACEFRAMEINFO* frameInfo) noexcept {
    if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr ||
        frameInfo == nullptr) {
        return E_POINTER;
    }
    *frame = nullptr;
    *document = nullptr;  // no document window: the frame plays that part
    if (host_ == nullptr || !GetClientRect(host_, position)) {
        return E_FAIL;
    }
    *clip = *position;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    // cb is set by the caller; the frame is the top-level window around the panel.
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = GetAncestor(host_, GA_ROOT);
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP BrowserSite::Scroll(SIZE) noexcept {
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::OnUIDeactivate(BOOL) noexcept {
    return S_OK;
}

STDMETHODIMP BrowserSite::OnInPlaceDeactivate() noexcept {
    return S_OK;
}

STDMETHODIMP BrowserSite::DiscardUndoState() noexcept {
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::DeactivateAndUndo() noexcept {
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::OnPosRectChange(const RECT*) noexcept {
    // The control fills the host window; its owner resizes it with that window.
    return S_OK;
}

// IOleInPlaceUIWindow: no toolbars or borders to share.

STDMETHODIMP BrowserSite::GetBorder(RECT*) noexcept {
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP BrowserSite::RequestBorderSpace(LPCBORDERWIDTHS) noexcept {
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP BrowserSite::SetBorderSpace(LPCBORDERWIDTHS) noexcept {
    return OLE_E_INVALIDRECT;
}

STDMETHODIMP BrowserSite::SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) noexcept {
    // A detached site keeps nothing, which would hold the control alive.
    activeObject_ = host_ != nullptr ? active : nullptr;
    return S_OK;
}

// IOleInPlaceFrame: no menus to merge, no status bar, no accelerators of its own.

STDMETHODIMP BrowserSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) noexcept {
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::SetMenu(HMENU, HOLEMENU, HWND) noexcept {
    return S_OK;
}

STDMETHODIMP BrowserSite::RemoveMenus(HMENU) noexcept {
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::SetStatusText(LPCOLESTR) noexcept {
    return S_OK;
}

STDMETHODIMP BrowserSite::EnableModeless(BOOL) noexcept {
    return S_OK;
}

STDMETHODIMP BrowserSite::TranslateAccelerator(MSG*, WORD) noexcept {
    return S_FALSE;  // not ours: the control handles the key itself
}

// IDispatch: an event sink needs no type information, only Invoke.

STDMETHODIMP BrowserSite::GetTypeInfoCount(UINT* count) noexcept {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP BrowserSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept {
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept {
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                 EXCEPINFO*, UINT*) noexcept {
    if (id != DISPID_TITLECHANGE) {
        return DISP_E_MEMBERNOTFOUND;  // the other events are of no interest
    }
    if (params != nullptr) {
        OnTitleChange(*params);
    }
    return S_OK;
}

void BrowserSite::OnTitleChange(const DISPPARAMS& params) noexcept {
    if (!onTitleChange_) {
        return;
    }
    try {
        std::string title;
        if (params.cArgs >= 1 && params.rgvarg != nullptr) {
            // Arguments come last first; the title is the only one.
            const VARIANT& argument = params.rgvarg[params.cArgs - 1];
            if (argument.vt == VT_BSTR && argument.bstrVal != nullptr) {
                title = Utf8FromWide(argument.bstrVal);
            }
        }
        // A copy: the handler may detach the site, which would destroy the one running.
        const TitleHandler handler = onTitleChange_;
        handler(title);
    } catch (...) {
        // A failed handler abandons only this notification; the browser goes on.
        TraceAbandoned("the browser's title change");
    }
}

}  // namespace datrelle::win32
