#include "win32/ControlWindows.h"

#include <commctrl.h>

#include <utility>

#include "win32/Dpi.h"
#include "win32/WideText.h"
#include "win32/WindowClasses.h"

namespace datrelle::win32 {
namespace {

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowKind KindOf(ControlKind kind) {
    // Every control clips its siblings, so the frame never paints over its check boxes.
    constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
    switch (kind) {
        case ControlKind::Label:
            // SS_NOTIFY: the title label reports double clicks.
            return {WC_STATICW, kChild | SS_LEFT | SS_NOTIFY, 0};
        case ControlKind::Button:
            return {WC_BUTTONW, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::Frame:
            return {WC_BUTTONW, kChild | BS_GROUPBOX, 0};
        case ControlKind::CheckBox:
            // Not an automatic box: the model decides the state and shows it, so a
            // click and the program's own change take the same path.
            return {WC_BUTTONW, kChild | WS_TABSTOP | BS_3STATE, 0};
        case ControlKind::TextBox:
            return {
                WC_EDITW,
                kChild | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                WS_EX_CLIENTEDGE};
        case ControlKind::Browser:
            // A tab stop: the host hands the focus on to the control inside it.
            return {kBrowserHostClass, kChild | WS_TABSTOP | WS_CLIPCHILDREN, 0};
    }
    return {WC_STATICW, kChild, 0};
}

UniqueFont MakeFont(const FontStyle& entry, int dpi) {
    LOGFONTW font{};
    if (entry.face == nullptr) {
        // SystemParametersInfoForDpi exists in one form only, with the wide structures.
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                        static_cast<UINT>(dpi))) {
            // Older systems: the message font at the system's DPI is the next best.
            // Should that fail too, the empty font asks the system for its default face.
            SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        }
        font = metrics.lfMessageFont;
    } else {
        font.lfHeight = -MulDiv(static_cast<int>(entry.points * 100 + 0.5), dpi, 7200);
        font.lfWeight = entry.weight;
        font.lfCharSet = DEFAULT_CHARSET;
        // The faces are the inventory's short names, well within LF_FACESIZE.
        const std::wstring face = WideFromUtf8(entry.face);
        face.copy(font.lfFaceName, LF_FACESIZE - 1);
    }
    // Null when no font can be made: a control given none draws in the system font.
    return UniqueFont{CreateFontIndirectW(&font)};
}

}  // namespace

bool ControlWindows::Create(HWND parent, HINSTANCE instance, int dpi) {
    // Loads Common Controls 6. Should this fail, the notes box's tooltip is the one
    // control that may be missing, and the window is made without it; the other
    // controls are the system's own.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    MakeFonts(dpi);
    // Each control is made at its place and given its font before it is first drawn,
    // rather than made empty and moved; whether it is shown and enabled its model says
    // once bound, before the window shows.
    for (const ControlEntry& entry : VisibleControls()) {
        const WindowKind kind = KindOf(entry.kind);
        const DWORD style = kind.style | WS_VISIBLE;
        const RECT place = ChildPixels(ClientPlace(entry), dpi);
        const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id));
        const HWND window =
            CreateWindowExW(kind.exStyle, kind.className, WideFromUtf8(entry.caption).c_str(),
                            style, place.left, place.top, place.right - place.left,
                            place.bottom - place.top, parent, id, instance, nullptr);
        if (window == nullptr) {
            return false;
        }
        windows_[Index(entry.id)] = window;
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(entry.id)), FALSE);
    }
    // The notes box has no length limit of its own; the edit control's default stops
    // at 32K characters and would cut a longer file.
    SendMessageW(Get(ControlId::Text1), EM_SETLIMITTEXT, 0, 0);
    // The frame is drawn below the check boxes it holds; they clip it anyway, so a
    // failure changes nothing that shows.
    SetWindowPos(Get(ControlId::Frame1), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    AddNotesTooltip(parent, instance);
    made_ = true;
    return true;
}

void ControlWindows::AddNotesTooltip(HWND parent, HINSTANCE instance) {
    tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                               parent, nullptr, instance, nullptr);
    if (tooltip_ == nullptr) {
        return;  // the notes box works without its hint
    }
    std::wstring text = WideFromUtf8(kText1Tooltip);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = parent;
    tool.uId = reinterpret_cast<UINT_PTR>(Get(ControlId::Text1));
    tool.lpszText = text.data();
    // A tool that cannot be added leaves the box without its hint, as above.
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ControlWindows::ApplyDpi(int dpi) {
    if (!made_) {
        return;  // Create makes them for the DPI they are made at
    }
    // The old fonts are released only after every control has taken a new one.
    const Fonts previous = MakeFonts(dpi);
    for (const ControlEntry& entry : VisibleControls()) {
        const HWND window = Get(entry.id);
        MoveChild(window, ChildPixels(ClientPlace(entry), dpi));
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(entry.id)), TRUE);
    }
}

HBRUSH ControlWindows::ColourStatic(HDC dc, HWND control) const {
    if (control == nullptr || control != Get(ControlId::Label1)) {
        return nullptr;
    }
    // Colours only: a failure paints the label in the default ones.
    SetTextColor(
        dc, RGB((kLabel1Colour >> 16) & 0xFF, (kLabel1Colour >> 8) & 0xFF, kLabel1Colour & 0xFF));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

ControlWindows::Fonts ControlWindows::MakeFonts(int dpi) {
    Fonts fonts{MakeFont({}, dpi), MakeFont(Entry(ControlId::Label1).font, dpi),
                MakeFont(Entry(ControlId::Text1).font, dpi)};
    std::swap(fonts, fonts_);
    return fonts;
}

HFONT ControlWindows::FontFor(ControlId id) const {
    switch (id) {
        case ControlId::Label1:
            return fonts_.title.get();
        case ControlId::Text1:
            return fonts_.notes.get();
        default:
            return fonts_.standard.get();
    }
}

}  // namespace datrelle::win32
