#pragma once

#include "platform/Browser.h"
#include "platform/Calendar.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/FileDialog.h"
#include "platform/FileOperations.h"
#include "platform/Messages.h"
#include "platform/MonthView.h"
#include "platform/NotesBox.h"
#include "platform/Profile.h"
#include "platform/ProgramFile.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Tray.h"
#include "platform/Window.h"

namespace datrelle {

// Everything the logic asks of the operating system, one small interface each.
// The Win32 layer provides the real ones; unit tests provide fakes.
struct Platform {
    Tray& tray;
    Calendar& calendar;
    Messages& messages;
    Profile& profile;
    FileOperations& files;
    CodePage& codePage;
    Window& window;
    NotesBox& notes;
    Browser& browser;
    Clipboard& clipboard;
    FileDialog& fileDialog;
    Registry& registry;
    Shell& shell;
    MonthView& monthView;
    ProgramFile program;
};

}  // namespace datrelle
