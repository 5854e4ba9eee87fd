#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Handles.h"
#include "platform/Window.h"

// The tray as the logic reaches it: the shell's notification record and commands, the
// events the shell reports from an icon, and the picture boxes that own the icons. Every
// number of the shell's that the logic uses is here, and the Win32 layer checks each one
// against its own.

namespace datrelle {

// The number every icon has under its box: the shell knows an icon by window and number.
inline constexpr std::uint32_t kTrayIconId = 1;
// Message, icon and tip, and the tip shown as the shell's standard tooltip (which the
// fourth behaviour shows only when asked).
inline constexpr std::uint32_t kTrayIconFlags = 0x87;
inline constexpr std::uint32_t kTrayVersion = 4;
inline constexpr std::uint32_t kTrayInfoFlag = 0x10;  // a notification, and nothing else
inline constexpr std::uint32_t kInfoIconInformation = 1;
// The mouse-move message's number: the shell sends the icon's events to its box with it.
inline constexpr std::uint32_t kTrayCallbackMessage = 512;

// The event numbers the shell passes in the low word of a tray notification's lParam.
inline constexpr int kMouseLeftButtonDown = 513;
inline constexpr int kMouseLeftButtonUp = 514;
inline constexpr int kMouseLeftButtonDoubleClick = 515;
inline constexpr int kMouseRightButtonDown = 516;
inline constexpr int kContextMenu = 0x7B;  // WM_CONTEXTMENU
inline constexpr int kKeySelect = 0x401;   // NIN_KEYSELECT

// The sizes of the record's text fields as the program fills them, in UTF-16 units with
// the terminating NUL.
inline constexpr std::size_t kTipUnits = 64;
inline constexpr std::size_t kInfoUnits = 256;
inline constexpr std::size_t kInfoTitleUnits = 64;

// The fields of the shell's notification record that the program fills, so the logic can
// fill and test it anywhere; the Win32 layer copies them into the real structure. The
// texts are UTF-8, each no longer than its field holds in UTF-16 units.
struct NotifyRecord {
    WindowHandle hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    IconHandle hIcon = 0;
    std::string szTip{};
    // A notification at the icon, sent on its own with the flag for it.
    std::string szInfo{};
    std::string szInfoTitle{};
    std::uint32_t dwInfoFlags = 0;
    // The behaviour asked for with TrayCommand::SetVersion.
    std::uint32_t uVersion = 0;

    bool operator==(const NotifyRecord&) const = default;
};

// The shell's commands, by their numbers. SetFocus hands the keyboard focus back to the
// icon; SetVersion asks for the behaviour of that version (the record's uVersion).
enum class TrayCommand : std::uint32_t {
    Add = 0,
    Modify = 1,
    Delete = 2,
    SetFocus = 3,
    SetVersion = 4
};

// Which of the window's icon sets a holder belongs to: the day icons (Picture1), the
// month icons (Picture2) or the week icons (Picture3).
enum class IconKind : std::int16_t { Day = 1, Month = 2, Week = 3 };

// One notification of an icon, as its box received it from the shell.
struct TrayNotification {
    int event = 0;
    // At the fourth behaviour, the icon's place on the screen (where a menu opened from
    // the keyboard belongs); none in the older layout.
    std::optional<ScreenPoint> anchor{};
    WindowHandle icon = 0;          // the window that owns the icon
    IconKind kind = IconKind::Day;  // the set of that window's box
};

// A picture box that can own a tray icon: its window and the icon it shows.
struct IconHolder {
    WindowHandle window = 0;
    IconHandle icon = 0;
};

class Tray {
  public:
    virtual ~Tray() = default;

    // The element of Picture1 (day) or Picture2 (month), when that element exists; an
    // element is made when first asked for.
    virtual std::optional<IconHolder> Holder(IconKind kind, int index) = 0;

    // Hands the record to the shell; true when the shell accepted it.
    virtual bool Notify(TrayCommand command, const NotifyRecord& record) = 0;
};

}  // namespace datrelle
