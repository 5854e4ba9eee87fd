#pragma once

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

// The operating system for the unit tests, in one object: it answers with what the
// test put there and writes what the logic asks for into one log, in order ("add 106",
// "delete 212", "open C:\x.exe in C:\", "start cmd 6", "navigate url", "search",
// "copy text", "message text"), so a test sees the order across subsystems too. The
// window's own calls go to a log of their own.

namespace datrelle::fakes {

// Picture box day n is window 100 + n with icon 1100 + n; month n window 200 + n, icon
// 1200 + n.
inline WindowHandle DayWindow(int day) {
    return 100 + static_cast<WindowHandle>(day);
}
inline WindowHandle MonthWindow(int month) {
    return 200 + static_cast<WindowHandle>(month);
}

inline std::string Lower(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

inline const ProgramFile kProgram{"C:\\Tools", "Datrelle"};

struct FakeFile {
    std::string content;
    bool ordinary = true;  // false: a folder, or a hidden or system file
    bool readable = true;  // false: locked, or no permission
    bool writable = true;
};

class FakePlatform : public Tray,
                     public Calendar,
                     public Messages,
                     public Profile,
                     public Files,
                     public Window,
                     public Browser,
                     public FileDialog,
                     public Registry,
                     public Shell {
  public:
    // The clipboard and the notes box both have a SetText: objects of their own.
    struct FakeClipboard : Clipboard {
        explicit FakeClipboard(std::vector<std::string>& log) : log_(log) {}
        bool SetText(std::string_view text) override {
            log_.push_back("copy " + std::string(text));
            return !held;
        }
        bool held = false;  // by another program
        std::vector<std::string>& log_;
    };
    struct FakeNotes : NotesBox {
        std::string Text() const override { return text; }
        bool SetText(std::string_view value) override {
            if (!refuses) {
                text = value;
            }
            return !refuses;
        }
        std::string text = "hint";
        bool refuses = false;  // a text too large for the box
    };

    // Tray: adding a shown icon and deleting an absent one fail, as in the shell.
    std::optional<IconHolder> Holder(IconKind kind, int index) const override {
        const int last = kind == IconKind::Day ? 31 : 12;
        if (index < 1 || index > last) {
            return std::nullopt;
        }
        const WindowHandle window = kind == IconKind::Day ? DayWindow(index) : MonthWindow(index);
        return IconHolder{window, window + 1000};
    }
    bool Notify(TrayCommand command, const NotifyRecord& record) override {
        const bool add = command == TrayCommand::Add;
        log.push_back((add ? "add " : "delete ") + std::to_string(record.hWnd));
        records.push_back(record);
        const bool wasShown = shown.count(record.hWnd) > 0;
        add ? (void)shown.insert(record.hWnd) : (void)shown.erase(record.hWnd);
        return add != wasShown;
    }

    CivilDate Today() const override { return today; }
    std::string LongDate(const CivilDate& d) const override {
        return longDate.empty() ? "long " + ShortDate(d) : longDate;
    }
    // Day first: logic that cut this text would swap day and month.
    std::string ShortDate(const CivilDate& d) const override {
        char text[16];
        std::snprintf(text, sizeof text, "%02d/%02d/%04d", d.day, d.month, d.year);
        return text;
    }

    void Show(std::string_view text) override { log.push_back("message " + std::string(text)); }

    // Profile: the stored values by "section/key" in lower case; each read and write is
    // kept as "section/key" (with "/size" or "=value").
    std::string GetString(std::string_view section, std::string_view key, std::string_view def,
                          std::size_t size, std::string_view) override {
        const std::string name = std::string(section) + "/" + std::string(key);
        reads.push_back(name + "/" + std::to_string(size));
        const auto found = ini.find(Lower(name));
        return found == ini.end() ? std::string(def) : found->second;
    }
    bool WriteString(std::string_view section, std::string_view key, std::string_view value,
                     std::string_view) override {
        const std::string name = std::string(section) + "/" + std::string(key);
        writes.push_back(name + "=" + std::string(value));
        if (iniWritable) {
            ini[Lower(name)] = value;
        }
        return iniWritable;
    }

    // Files, by path in any letter case; a search yields them in the order added.
    bool IsOrdinaryFile(std::string_view path) const override {
        const FakeFile* file = Find(path);
        return file != nullptr && file->ordinary;
    }
    std::optional<std::string> FindFirst(std::string_view pattern) const override {
        const std::string folder = Lower(pattern.substr(0, pattern.rfind('\\') + 1));
        const std::string ending = Lower(pattern.substr(pattern.rfind('*') + 1));
        for (const auto& [path, file] : files) {
            const std::string name = Lower(path).substr(std::min(folder.size(), path.size()));
            if (file.ordinary && Lower(path).starts_with(folder) &&
                name.find('\\') == std::string::npos && name.ends_with(ending)) {
                return path.substr(folder.size());
            }
        }
        return std::nullopt;
    }
    std::optional<std::string> ReadAll(std::string_view path) const override {
        const FakeFile* file = Find(path);
        return file && file->readable ? std::optional(file->content) : std::nullopt;
    }
    bool ReplaceContent(std::string_view path, std::string_view content) override {
        FakeFile* file = Find(path);
        if (file && !file->writable) {
            return false;
        }
        AddFile(path, content);
        return true;
    }
    FakeFile& AddFile(std::string_view path, std::string_view content = "") {
        FakeFile* file = Find(path);
        if (file == nullptr) {
            file = &files.emplace_back(std::string(path), FakeFile{}).second;
        }
        file->content = content;
        return *file;
    }

    // Window: a size or state that changes raises the resize event before the setter
    // returns, as the real window does.
    WindowRect Rect() const override { return rect; }
    void SetLeft(float twips) override { Move("Left", rect.left, twips, false); }
    void SetTop(float twips) override { Move("Top", rect.top, twips, false); }
    void SetWidth(float twips) override { Move("Width", rect.width, twips, true); }
    void SetHeight(float twips) override { Move("Height", rect.height, twips, true); }
    bool Visible() const override { return visible; }
    void SetVisible(bool value) override {
        windowLog.push_back(value ? "Show" : "Hide");
        visible = value;
    }
    int State() const override { return state; }
    void SetState(int value) override {
        windowLog.push_back("State " + std::to_string(value));
        const bool changed = state != value;
        state = value;
        Resized(changed);
    }
    void SetCaption(std::string_view text) override { caption = text; }
    ScreenSize Screen() const override { return screen; }
    bool OnSomeMonitor(const WindowRect& r) const override {
        return r.left < screen.width && r.top < screen.height && r.left + r.width > 0 &&
               r.top + r.height > 0;
    }
    void SetNotesWidth(float width) override { notesWidth = width; }
    void SetBrowserSize(float width, float height) override { browserSize = {width, height}; }
    void ShowPopupMenu() override { windowLog.push_back("Menu"); }
    void Close() override { windowLog.push_back("Close"); }

    void Navigate(std::string_view address) override {
        log.push_back("navigate " + std::string(address));
        location = address;
    }
    void GoSearch() override { log.push_back("search"); }
    std::string LocationURL() const override { return location; }

    // Each use of the dialog takes the next queued answer; none queued is a cancel.
    std::string ShowOpen(const FileDialogRequest& request) override {
        dialogs.push_back(request);
        std::string answer = answers.empty() ? "" : answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return answer;
    }

    // Registry: values by root and key path in any letter case; a refused root (the
    // machine's, without administrator rights) opens nothing.
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, std::string_view subKey,
                                         std::uint32_t access) override {
        return Open(root, subKey, access, false);
    }
    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, std::string_view subKey,
                                           std::uint32_t access) override {
        return Open(root, subKey, access, true);
    }
    std::map<std::string, RegistryValue>& Values(RegistryRoot root, std::string_view subKey) {
        return keys[KeyPath(root, subKey)];
    }

    std::intptr_t Execute(std::string_view, std::string_view file, std::string_view,
                          const std::optional<std::string>& folder, int show) override {
        log.push_back("open " + std::string(file) + " in " + folder.value_or("-") + " " +
                      std::to_string(show));
        return 42;
    }
    bool StartProcess(std::string_view commandLine, int show) override {
        log.push_back("start " + std::string(commandLine) + " " + std::to_string(show));
        return true;
    }

    std::vector<std::string> log;
    std::vector<NotifyRecord> records;
    std::set<WindowHandle> shown;
    CivilDate today{2026, 12, 6};
    std::string longDate;
    std::map<std::string, std::string> ini;
    bool iniWritable = true;
    std::vector<std::string> reads, writes;
    std::vector<std::pair<std::string, FakeFile>> files;
    WindowRect rect{0, 0, 12000, 8000};
    bool visible = true;
    int state = kWindowNormal;
    std::string caption;
    ScreenSize screen{19200, 12000};
    float notesWidth = 0;
    std::pair<float, float> browserSize;
    std::function<void()> onResize;
    bool resizeOnEverySet = false;  // a platform that reports a resize for every change
    std::vector<std::string> windowLog;
    std::string location;
    std::deque<std::string> answers;
    std::vector<FileDialogRequest> dialogs;
    std::map<std::string, std::map<std::string, RegistryValue>> keys;
    std::set<RegistryRoot> refused;
    std::vector<std::string> opens;  // "machine 63 open software\...\run\"
    int openKeys = 0;
    FakeClipboard clipboard{log};
    FakeNotes notes;
    Platform platform{*this, *this,     *this, *this, *this, *this,   notes,
                      *this, clipboard, *this, *this, *this, kProgram};

  private:
    struct Key : RegistryKey {
        Key(FakePlatform& owner, std::map<std::string, RegistryValue>& values)
            : owner_(owner), values_(values) {
            ++owner_.openKeys;
        }
        ~Key() override { --owner_.openKeys; }
        std::optional<RegistryValue> QueryValue(std::string_view name) override {
            const auto found = values_.find(std::string(name));
            return found == values_.end() ? std::nullopt : std::optional(found->second);
        }
        RegistryStatus SetValue(std::string_view name, std::uint32_t type,
                                std::string_view bytes) override {
            values_[std::string(name)] = {type, std::string(bytes)};
            return kRegistrySuccess;
        }
        RegistryStatus DeleteValue(std::string_view name) override {
            return values_.erase(std::string(name)) > 0 ? kRegistrySuccess : 2;
        }
        FakePlatform& owner_;
        std::map<std::string, RegistryValue>& values_;
    };

    static std::string KeyPath(RegistryRoot root, std::string_view subKey) {
        std::string path = std::to_string(static_cast<std::uint32_t>(root)) + "\\" + Lower(subKey);
        while (path.back() == '\\') {
            path.pop_back();  // "RUN\" and "RUN" are one key
        }
        return path;
    }
    std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view subKey,
                                      std::uint32_t access, bool create) {
        opens.push_back((root == RegistryRoot::LocalMachine ? "machine " : "user ") +
                        std::to_string(access) + (create ? " create " : " open ") + Lower(subKey));
        const auto found = keys.find(KeyPath(root, subKey));
        if (refused.count(root) > 0 || (found == keys.end() && !create)) {
            return nullptr;
        }
        return std::make_unique<Key>(*this, keys[KeyPath(root, subKey)]);
    }

    FakeFile* Find(std::string_view path) {
        for (auto& [name, file] : files) {
            if (Lower(name) == Lower(path)) {
                return &file;
            }
        }
        return nullptr;
    }
    const FakeFile* Find(std::string_view path) const {
        return const_cast<FakePlatform*>(this)->Find(path);
    }

    void Move(const char* what, float& field, float value, bool resizes) {
        char line[48];
        std::snprintf(line, sizeof line, "%s %g", what, value);
        windowLog.push_back(line);
        const bool changed = field != value;
        field = value;
        if (resizes) {
            Resized(changed);
        }
    }
    void Resized(bool changed) {
        if ((changed || resizeOnEverySet) && onResize) {
            onResize();
        }
    }
};

}  // namespace datrelle::fakes
