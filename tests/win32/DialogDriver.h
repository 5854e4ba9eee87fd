#pragma once

#include <windows.h>

#include <chrono>
#include <string>

// Drives the system's dialogs (the common Open dialog, a message box) of a process
// from another thread or process, as a user would answer them.

namespace datrelle::testing {

// A visible dialog window (class "#32770") of the process that shows this text in one
// of its controls ("" for any), once one appears; nullptr on timeout.
HWND WaitForDialog(DWORD processId, const std::string& text = "",
                   std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

// The Open dialog's file name field; nullptr when there is none.
HWND FileNameField(HWND dialog);

// Types name into the Open dialog's file name field and presses OK; false when the
// field was not found.
bool ChooseFile(HWND dialog, const std::string& name);
// Presses Cancel.
void CancelDialog(HWND dialog);
// Presses the dialog's button with this caption; false when there is none.
bool PressButton(HWND dialog, const std::string& caption);

}  // namespace datrelle::testing
