#pragma once

#include "platform/Calendar.h"
#include "platform/Messages.h"
#include "platform/Tray.h"

namespace datrelle {

// Everything the logic asks of the operating system, one small interface each.
// The Win32 layer provides the real ones; unit tests provide fakes.
struct Platform {
    Tray& tray;
    Calendar& calendar;
    Messages& messages;
};

}  // namespace datrelle
