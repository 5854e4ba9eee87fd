#include "DialogDriver.h"

#include "RunningProgram.h"

namespace datrelle::testing {
namespace {

// The Open dialog's name field: an edit with this number, or the edit inside the
// ComboBoxEx32 that carries it.
constexpr int kFileNameId = 0x47C;

struct DialogSearch {
    DWORD processId;
    std::string text;
    HWND found = nullptr;
};

bool ShowsText(HWND dialog, const std::string& text) {
    if (text.empty()) {
        return true;
    }
    for (HWND child : Children(dialog)) {
        if (WindowText(child) == text) {
            return true;
        }
    }
    return false;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<DialogSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search.processId && IsWindowVisible(window) && ClassName(window) == "#32770" &&
        ShowsText(window, search.text)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND WaitForDialog(DWORD processId, const std::string& text, std::chrono::milliseconds timeout) {
    DialogSearch search{processId, text};
    WaitUntil(
        [&search] {
            EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeout);
    return search.found;
}

HWND FileNameField(HWND dialog) {
    HWND insideComboBox = nullptr;
    for (HWND child : Children(dialog)) {
        if (ClassName(child) != "Edit") {
            continue;
        }
        if (GetDlgCtrlID(child) == kFileNameId) {
            return child;
        }
        for (HWND parent = GetParent(child); parent != nullptr && parent != dialog;
             parent = GetParent(parent)) {
            if (ClassName(parent) == "ComboBoxEx32" && GetDlgCtrlID(parent) == kFileNameId) {
                insideComboBox = child;
            }
        }
    }
    return insideComboBox;
}

bool ChooseFile(HWND dialog, const std::string& name) {
    const HWND field = FileNameField(dialog);
    if (field == nullptr) {
        return false;
    }
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    // Posted: whatever OK leads to must not hold up the driver.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return true;
}

void CancelDialog(HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

bool PressButton(HWND dialog, const std::string& caption) {
    for (HWND child : Children(dialog)) {
        if (ClassName(child) == "Button" && WindowText(child) == caption) {
            PostMessageA(child, BM_CLICK, 0, 0);
            return true;
        }
    }
    return false;
}

}  // namespace datrelle::testing
