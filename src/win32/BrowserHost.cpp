#include "win32/BrowserHost.h"

#include <exdisp.h>
#include <exdispid.h>
#include <oleauto.h>

#include "win32/WideText.h"
#include "win32/WindowClasses.h"

namespace datrelle::win32 {
namespace {

using Microsoft::WRL::ComPtr;

// A VARIANT that frees what it holds.
struct ScopedVariant {
    ScopedVariant() { VariantInit(&value); }
    ~ScopedVariant() { VariantClear(&value); }  // nothing to do if freeing fails
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;

    VARIANT value;
};

// A BSTR handed out by the control, freed by its receiver.
struct ScopedBstr {
    ~ScopedBstr() { SysFreeString(text); }
    ScopedBstr() = default;
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;

    BSTR text = nullptr;
};

}  // namespace

bool RegisterBrowserHostClass(HINSTANCE instance) {
    return RegisterWindowClass(instance,
                               {.name = kBrowserHostClass,
                                .procedure = BrowserHost::HostWindowProc,
                                .background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))});
}

LRESULT CALLBACK BrowserHost::HostWindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<BrowserHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr) {
        switch (message) {
            case WM_SIZE:
                self->FitToHost();
                return 0;
            case WM_SETFOCUS:
                self->FocusControl();
                return 0;
            case WM_DESTROY:
                // The control's own windows are children of this one and go with it;
                // the control is closed while they still exist.
                self->Detach();
                break;
            default:
                break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

BrowserHost::~BrowserHost() {
    Detach();
}

bool BrowserHost::Attach(HWND host) {
    if (object_ || host == nullptr) {
        return false;
    }
    if (!Embed(host)) {
        Detach();
        return false;
    }
    // Without events the panel still shows pages; only the caption stops following.
    ConnectEvents();
    host_ = host;
    SetWindowLongPtrW(host_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    FitToHost();
    return true;
}

bool BrowserHost::Embed(HWND host) {
    site_ = BrowserSite::Create(host);
    if (!site_) {
        return false;
    }
    site_->SetTitleHandler([this](const std::string& title) {
        if (onTitleChange) {
            onTitleChange(title);
        }
    });
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&object_))) ||
        FAILED(object_.As(&browser_))) {
        return false;
    }
    // Silent before any page: left alone, the control shows each script error of a
    // page as a modal dialog, which would stop a user who never asked for the page's
    // faults. A control that refuses still shows pages, with those dialogs.
    browser_->put_Silent(VARIANT_TRUE);
    if (FAILED(object_->SetClientSite(site_.Get()))) {
        return false;
    }
    // Tells the control it is embedded, so it is kept alive as long as its container
    // holds it; a failure leaves it as it was, which works as well for one container.
    OleSetContainedObject(object_.Get(), TRUE);
    RECT area{};
    if (!GetClientRect(host, &area) ||
        FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, host, &area))) {
        return false;
    }
    return SUCCEEDED(object_.As(&inPlace_));
}

void BrowserHost::ConnectEvents() {
    ComPtr<IConnectionPointContainer> container;
    if (FAILED(browser_.As(&container)) ||
        FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &events_))) {
        events_.Reset();
        return;
    }
    if (FAILED(events_->Advise(static_cast<IDispatch*>(site_.Get()), &eventsCookie_))) {
        events_.Reset();
        eventsCookie_ = 0;
    }
}

void BrowserHost::Detach() noexcept {
    if (host_ != nullptr) {
        SetWindowLongPtrW(host_, GWLP_USERDATA, 0);
    }
    if (site_) {
        site_->SetTitleHandler(nullptr);
    }
    // Failures below are ignored: each step releases what it can, and the next step
    // and the releases run regardless.
    if (events_) {
        events_->Unadvise(eventsCookie_);
        events_.Reset();
        eventsCookie_ = 0;
    }
    browser_.Reset();
    if (inPlace_) {
        inPlace_->InPlaceDeactivate();
        inPlace_.Reset();
    }
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
        object_.Reset();
    }
    if (site_) {
        site_->Detach();
        site_.Reset();
    }
    host_ = nullptr;
}

void BrowserHost::FitToHost() noexcept {
    RECT area{};
    if (inPlace_ && host_ != nullptr && GetClientRect(host_, &area)) {
        // A control that refuses the new size keeps its old one until the next resize.
        inPlace_->SetObjectRects(&area, &area);
    }
}

void BrowserHost::FocusControl() noexcept {
    RECT area{};
    if (object_ && GetClientRect(host_, &area)) {
        // UI activation makes the control the active object, which takes the keys, and
        // puts the focus into its window. A control that cannot be UI-activated stays
        // in place as it was.
        object_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site_.Get(), 0, host_, &area);
    }
    // Should the control have left the focus here, as Wine's does, its window takes it
    // all the same; a host without one keeps it, a stop like any other.
    const HWND control = GetWindow(host_, GW_CHILD);
    if (GetFocus() == host_ && control != nullptr) {
        SetFocus(control);
    }
}

bool BrowserHost::Contains(HWND window) const noexcept {
    return host_ != nullptr && window != nullptr && (window == host_ || IsChild(host_, window));
}

bool BrowserHost::TranslateKey(MSG& message) noexcept {
    if (!object_ || message.message < WM_KEYFIRST || message.message > WM_KEYLAST ||
        !Contains(GetFocus())) {
        return false;
    }
    // The object the control named when it became UI-active; before that, the control.
    ComPtr<IOleInPlaceActiveObject> active = site_->ActiveObject();
    if (!active && FAILED(object_.As(&active))) {
        return false;
    }
    return active->TranslateAccelerator(&message) == S_OK;
}

void BrowserHost::Navigate(std::string_view address) {
    if (!browser_) {
        return;
    }
    const std::wstring wide = WideFromUtf8(address);
    ScopedVariant target;
    target.value.vt = VT_BSTR;
    target.value.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (target.value.bstrVal == nullptr) {
        target.value.vt = VT_EMPTY;
        return;
    }
    ScopedVariant none;
    browser_->Navigate2(&target.value, &none.value, &none.value, &none.value, &none.value);
}

void BrowserHost::GoSearch() {
    if (browser_) {
        browser_->GoSearch();
    }
}

std::string BrowserHost::LocationURL() const {
    ScopedBstr location;
    if (!browser_ || FAILED(browser_->get_LocationURL(&location.text)) ||
        location.text == nullptr) {
        return {};
    }
    return Utf8FromWide(std::wstring_view(location.text, SysStringLen(location.text)));
}

}  // namespace datrelle::win32
