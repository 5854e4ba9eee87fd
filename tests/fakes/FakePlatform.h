#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "FakeBrowser.h"
#include "FakeClipboard.h"
#include "FakeFileDialog.h"
#include "FakeFiles.h"
#include "FakeProfile.h"
#include "FakeRegistry.h"
#include "FakeShell.h"
#include "FakeWindow.h"
#include "platform/Platform.h"

// Fakes of the operating system for the unit tests: they record what the logic asks
// for and answer with values the test chooses.

namespace datrelle::fakes {

// Holder windows and icons with recognisable numbers: day n is window 100 + n with
// icon 1100 + n, month n is window 200 + n with icon 1200 + n.
inline WindowHandle DayWindow(int day) {
    return 100 + static_cast<WindowHandle>(day);
}
inline WindowHandle MonthWindow(int month) {
    return 200 + static_cast<WindowHandle>(month);
}
inline IconHandle DayIcon(int day) {
    return 1100 + static_cast<IconHandle>(day);
}
inline IconHandle MonthIcon(int month) {
    return 1200 + static_cast<IconHandle>(month);
}

struct TrayCall {
    TrayCommand command;
    NotifyRecord record;
};

class FakeTray : public Tray {
  public:
    std::optional<IconHolder> Holder(IconKind kind, int index) const override {
        const int count = kind == IconKind::Day ? 31 : 12;
        if (index < 1 || index > count) {
            return std::nullopt;
        }
        if (kind == IconKind::Day) {
            return IconHolder{DayWindow(index), DayIcon(index)};
        }
        return IconHolder{MonthWindow(index), MonthIcon(index)};
    }

    // Behaves like the shell: an icon is known by its window, adding twice and
    // deleting an absent icon fail.
    bool Notify(TrayCommand command, const NotifyRecord& record) override {
        calls.push_back({command, record});
        if (command == TrayCommand::Add) {
            if (Shows(record.hWnd)) {
                return false;
            }
            shown.push_back(record.hWnd);
            return true;
        }
        return std::erase(shown, record.hWnd) > 0;
    }

    bool Shows(WindowHandle window) const {
        return std::find(shown.begin(), shown.end(), window) != shown.end();
    }

    std::vector<TrayCall> calls;
    std::vector<WindowHandle> shown;
};

class FakeCalendar : public Calendar {
  public:
    CivilDate Today() const override { return today; }

    std::string LongDate(const CivilDate& date) const override {
        if (!longDate.empty()) {
            return longDate;
        }
        char text[40];
        std::snprintf(text, sizeof text, "long %04d-%02d-%02d", date.year, date.month, date.day);
        return text;
    }

    // A day-first short date: logic that cut this text would swap day and month.
    std::string ShortDate(const CivilDate& date) const override {
        char text[40];
        std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.day, date.month, date.year);
        return text;
    }

    CivilDate today{2026, 12, 6};
    std::string longDate;
};

class FakeMessages : public Messages {
  public:
    void Show(std::string_view text) override { shown.emplace_back(text); }

    std::vector<std::string> shown;
};

class FakeNotesBox : public NotesBox {
  public:
    std::string Text() const override { return text; }
    bool SetText(std::string_view value) override {
        if (refusesText) {
            return false;
        }
        text = value;
        return true;
    }

    std::string text = "... Double-Click to load text file ...\r\n";
    bool refusesText = false;  // as a box that cannot make room for a large text
};

// The program's folder in the fakes.
inline constexpr const char* kProgramFolder = "C:\\Tools";

struct FakePlatform {
    FakeTray tray;
    FakeCalendar calendar;
    FakeMessages messages;
    FakeProfile profile;
    FakeFiles files;
    FakeWindow window;
    FakeNotesBox notes;
    FakeBrowser browser;
    FakeClipboard clipboard;
    FakeFileDialog fileDialog;
    FakeRegistry registry;
    FakeShell shell;
    Platform platform{tray,
                      calendar,
                      messages,
                      profile,
                      files,
                      window,
                      notes,
                      browser,
                      clipboard,
                      fileDialog,
                      registry,
                      shell,
                      ProgramFile{kProgramFolder, "Datrelle"}};
};

}  // namespace datrelle::fakes
