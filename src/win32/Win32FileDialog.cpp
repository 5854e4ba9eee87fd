#include "win32/Win32FileDialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <vector>

#include "form/CommonDialog.h"
#include "launch/ModParse.h"
#include "win32/WideText.h"

namespace datrelle::win32 {
namespace {

// Room for a long path, beyond MAX_PATH.
constexpr std::size_t kNameBufferSize = 32 * 1024;

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::string StartingFolder(std::string_view initDir) {
    std::string folder(initDir);
    if (folder.empty() || IsFolder(folder)) {
        return folder;
    }
    return SplitPath(folder).folder;
}

std::string Win32FileDialog::ShowOpen(const FileDialogRequest& request) {
    // The filter's parts are separated by NULs, which the conversion keeps.
    const std::wstring filter = WideFromUtf8(WindowsFilter(request.filter));
    const std::wstring folder = WideFromUtf8(StartingFolder(request.initialFolder));
    const std::wstring title = WideFromUtf8(request.title);
    const std::wstring fileName = WideFromUtf8(request.fileName);
    std::vector<wchar_t> name(kNameBufferSize, L'\0');
    if (fileName.size() < name.size()) {
        fileName.copy(name.data(), fileName.size());
    }

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = filterIndex_;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    // No flags, the dialog's defaults: the notes box takes the name of a file still to
    // be made (no OFN_FILEMUSTEXIST), and without a hook the dialog is Explorer-style.
    dialog.Flags = 0;

    if (!GetOpenFileNameW(&dialog)) {
        // A name the dialog refuses to start with (left from an earlier use, say with
        // characters it does not allow) would keep it from opening at all; it opens
        // again with an empty name field instead. A cancel or any other failure: "".
        if (CommDlgExtendedError() != FNERR_INVALIDFILENAME || request.fileName.empty()) {
            return {};
        }
        name.assign(name.size(), L'\0');
        if (!GetOpenFileNameW(&dialog)) {
            return {};
        }
    }
    filterIndex_ = dialog.nFilterIndex;
    return Utf8FromWide(name.data());
}

}  // namespace datrelle::win32
