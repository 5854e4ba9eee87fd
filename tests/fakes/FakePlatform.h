#pragma once

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <functional>
#include <iterator>
#include <limits>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "form/Inventory.h"
#include "platform/MonthView.h"
#include "platform/Platform.h"

// The operating system for the unit tests, in one object (the clipboard, the notes box
// and the registry are members of it): it answers with what the test put there and
// writes what the logic asks for into one log, in order ("add 106", "delete 212",
// "focus 106", "open C:\x.exe in C:\", "start cmd 6", "navigate url", "search",
// "copy text", "message text"), so a test sees the order across subsystems too. Every
// addition of an icon must ask for the fourth behaviour at once: "add 106" stands for
// both, an addition alone shows as "add 106 unversioned". The window's own calls go to
// a log of their own ("Menu" at the pointer, "Menu 40,50" at a place).

namespace datrelle::fakes {

// Picture box day n is window 100 + n with icon 1100 + n; month n window 200 + n, icon
// 1200 + n; week n window 300 + n, icon 1300 + n.
inline constexpr auto DayWindow = [](int n) { return static_cast<WindowHandle>(100 + n); };
inline constexpr auto MonthWindow = [](int n) { return static_cast<WindowHandle>(200 + n); };
inline constexpr auto WeekWindow = [](int n) { return static_cast<WindowHandle>(300 + n); };

inline std::string Lower(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

// Paths in any letter case name one file or key.
struct CaseLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return Lower(a) < Lower(b); }
};

inline const ProgramFile kProgram{"C:\\Tools", "Datrelle"};

// A test may leave out the members it does not need.
struct FakeFile {
    std::string content;
    PathKind kind = PathKind::OrdinaryFile;
    bool readable = true;  // false: locked, or no permission
};

// The month calendar's window: each call by its name; Choose is the user's Enter on a day.
struct FakeMonthView : MonthView {
    bool IsOpen() const override { return open; }
    void Open(const MonthViewOpening& opening) override {
        calls.push_back("open");
        openings.push_back(opening);
        open = true;
    }
    void Close() override {
        calls.push_back("close");
        open = false;
    }
    void SetToday(const CivilDate&) override { calls.push_back("today"); }
    void SetRule(const WeekRule&) override { calls.push_back("rule"); }
    std::optional<Moment> LostActivationAt() const override { return lostActivationAt; }
    void Choose(const CivilDate& day) {
        if (onChosen) {
            onChosen(day);
        }
        Close();
    }

    bool open = false;
    std::optional<Moment> lostActivationAt;
    std::vector<std::string> calls;
    std::vector<MonthViewOpening> openings;
};

struct FakePlatform : Tray,
                      Calendar,
                      Messages,
                      Profile,
                      FileOperations,
                      CodePage,
                      Window,
                      Browser,
                      FileDialog,
                      Shell {
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
        std::optional<std::string> Text() const override { return text; }
        bool SetText(std::string_view value) override {
            text = refuses ? text : std::string(value);
            return !refuses;
        }
        std::string text = kText1InitialText;
        bool refuses = false;  // a text too large for the box
    };

    // Registry: values by root and key path; a refused root (the machine's, without
    // administrator rights) opens nothing. Each opening is kept as "machine 63 open
    // software\...\run\" or "user 63 create ...".
    struct FakeRegistry : Registry {
        using RunValues = std::map<std::string, RegistryValue, std::less<>>;
        using KeyPtr = std::unique_ptr<RegistryKey>;
        KeyPtr OpenKey(RegistryRoot root, std::string_view path, std::uint32_t access) override {
            return Open(root, path, access, false);
        }
        KeyPtr CreateKey(RegistryRoot root, std::string_view path, std::uint32_t access) override {
            return Open(root, path, access, true);
        }
        RunValues& Values(RegistryRoot root, std::string_view path) {
            return keys[{root, Lower(path)}];
        }

        std::map<std::pair<RegistryRoot, std::string>, RunValues> keys;
        std::set<RegistryRoot> refused;
        std::vector<std::string> opens;

      private:
        struct Key : RegistryKey {
            explicit Key(RunValues& values) : values_(values) {}
            std::optional<RegistryValue> QueryValue(std::string_view name) override {
                const auto found = values_.find(name);
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
            RunValues& values_;
        };
        KeyPtr Open(RegistryRoot root, std::string_view path, std::uint32_t access, bool create) {
            opens.push_back((root == RegistryRoot::LocalMachine ? "machine " : "user ") +
                            std::to_string(access) + (create ? " create " : " open ") +
                            Lower(path));
            const std::pair key{root, Lower(path)};
            const bool granted = !refused.contains(root) && (create || keys.contains(key));
            return granted ? std::make_unique<Key>(keys[key]) : nullptr;
        }
    };

    FakePlatform() { SetClock({2026, 12, 6}); }

    std::optional<IconHolder> Holder(IconKind kind, int index) override {
        const WindowHandle window = static_cast<WindowHandle>(100 * static_cast<int>(kind) + index);
        const bool exists = index >= 1 && index <= (kind == IconKind::Day    ? 31
                                                    : kind == IconKind::Week ? 53
                                                                             : 12);
        return exists ? std::optional(IconHolder{window, window + 1000}) : std::nullopt;
    }
    bool Notify(TrayCommand command, const NotifyRecord& record) override {
        static const char* const kVerbs[] = {"add ", "notify ", "delete ", "focus ", "version "};
        const std::string icon = std::to_string(record.hWnd);
        if (command == TrayCommand::SetVersion && record.uVersion == 4 && !log.empty() &&
            log.back() == "add " + icon + " unversioned") {
            log.back() = "add " + icon;
        } else {
            log.push_back(kVerbs[static_cast<int>(command)] + icon +
                          (command == TrayCommand::Add ? " unversioned" : ""));
        }
        records.push_back(record);
        // Adding a shown icon, and deleting an absent one, fail as in the shell; the
        // others need the icon.
        return command == TrayCommand::Add      ? shown.insert(record.hWnd).second
               : command == TrayCommand::Delete ? shown.erase(record.hWnd) > 0
                                                : shown.contains(record.hWnd);
    }

    // The clock counts milliseconds from the start of 1970; the time zone is the offsets
    // (in minutes) that hold from their moments on, the first from the start of time.
    static constexpr std::int64_t kDay = 86400000;
    static Moment Utc(const CivilDate& d, std::int64_t millisecondOfDay) {
        const std::chrono::sys_days date{std::chrono::year{d.year} / d.month / d.day};
        return date.time_since_epoch().count() * kDay + millisecondOfDay;
    }
    int OffsetAt(Moment moment) const { return std::prev(offsets.upper_bound(moment))->second; }
    // Now is when the wall clock shows this, as the offset of that moment has it.
    void SetClock(const CivilDate& date, std::int64_t millisecondOfDay = kDay / 2) {
        const Moment wall = Utc(date, millisecondOfDay);
        now = wall - OffsetAt(wall - OffsetAt(wall) * 60000LL) * 60000LL;
    }
    // Each reading of the clock moves it on by clockStep.
    Moment Now() const override { return std::exchange(now, now + clockStep); }
    WeekRule RegionalWeeks() const override { return regionalWeeks; }
    LocalTime LocalTimeAt(Moment moment) const override {
        using namespace std::chrono;
        const sys_time<milliseconds> wall{milliseconds{moment + OffsetAt(moment) * 60000LL}};
        const year_month_day d{floor<days>(wall)};
        return {{int(d.year()), int(unsigned(d.month())), int(unsigned(d.day()))},
                (wall - floor<days>(wall)).count()};
    }
    std::string LongDate(const CivilDate& d) const override { return "long " + ShortDate(d); }
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
        return ini.contains(Lower(name)) ? ini[Lower(name)] : std::string(def);
    }
    bool WriteString(std::string_view section, std::string_view key, std::string_view value,
                     std::string_view) override {
        const std::string name = std::string(section) + "/" + std::string(key);
        writes.push_back(name + "=" + std::string(value));
        ini[Lower(name)] = value;
        return true;
    }

    // Files; a search yields them in the order of their names.
    PathKind KindOf(std::string_view path) const override {
        return files.contains(path) ? files.find(path)->second.kind : PathKind::Nothing;
    }
    std::optional<std::string> FindFirst(std::string_view pattern) const override {
        const std::string folder = Lower(pattern.substr(0, pattern.rfind('\\') + 1));
        const std::string ending = Lower(pattern.substr(pattern.rfind('*') + 1));
        for (const auto& [path, file] : files) {
            // In the folder itself: its last backslash is the folder's.
            if (file.kind == PathKind::OrdinaryFile && Lower(path).starts_with(folder) &&
                path.rfind('\\') + 1 == folder.size() && Lower(path).ends_with(ending)) {
                return path.substr(folder.size());
            }
        }
        return std::nullopt;
    }
    std::optional<std::string> ReadAll(std::string_view path) const override {
        const auto found = files.find(path);
        return found != files.end() && found->second.readable ? std::optional(found->second.content)
                                                              : std::nullopt;
    }

    // The steps of a replacement. Each step named in `fails` fails as the system's can:
    // "delete-right" (the target can only be written where it is), "new-file" (no file can
    // be made beside it), "taken" (another program takes the first free name), "disk-full",
    // "replace" (refused), "replace-half" (the target renamed to the backup name, the new
    // file not put in its place), "replace-lost" (the target gone with no backup),
    // "rename-new", "rename-back", and in place "open", "read", "grow" (after making half
    // the room) and "write" (after writing half, only the first time). kLocked is a file
    // that another program holds.
    static constexpr const char* kLocked = "delete-right open";
    bool Fails(std::string_view step) const {
        return (" " + fails + " ").find(" " + std::string(step) + " ") != std::string::npos;
    }
    TargetState Examine(const std::string& target) override {
        return !files.contains(target) ? TargetState::Missing
               : Fails("delete-right") ? TargetState::OnlyWritable
                                       : TargetState::Renamable;
    }
    NewFile CreateNew(const std::string& path, std::string_view content) override {
        if (Fails("taken") && !std::exchange(taken, true)) {
            AddFile(path, "theirs");
            return NewFile::NameTaken;
        }
        if (Fails("new-file")) {
            return NewFile::NotMade;
        }
        AddFile(path, content.substr(0, Fails("disk-full") ? content.size() / 2 : content.size()));
        return Fails("disk-full") ? NewFile::NotWritten : NewFile::Written;
    }
    bool Replace(const std::string& target, const std::string& replacement,
                 const std::string& backup) override {
        if (Fails("replace")) {
            return false;
        }
        if (!Fails("replace-lost")) {
            files[backup] = files[target];
        }
        files.erase(target);
        return !Fails("replace-half") && !Fails("replace-lost") && Rename(replacement, target);
    }
    bool Rename(const std::string& from, const std::string& to) override {
        const bool refused =
            Fails(from.find(".tmp-") != std::string::npos ? "rename-new" : "rename-back");
        if (refused || !files.contains(from) || files.contains(to)) {
            return false;
        }
        files[to] = std::move(files[from]);
        files.erase(from);
        return true;
    }
    bool Delete(const std::string& path) override { return files.erase(path) > 0; }
    struct InPlace : OpenFile {
        InPlace(FakePlatform& platform, std::string& content) : f(platform), bytes(content) {}
        std::optional<std::string> ReadAll() override {
            return f.Fails("read") ? std::nullopt : std::optional(bytes);
        }
        bool Resize(std::size_t length) override {
            const bool full = length > bytes.size() && f.Fails("grow");
            bytes.resize(full ? (bytes.size() + length) / 2 : length);
            return !full;
        }
        bool WriteWhole(std::string_view written) override {
            if (f.Fails("write") && f.inPlaceWrites++ == 0) {
                bytes.replace(0, written.size() / 2, written.substr(0, written.size() / 2));
                return false;
            }
            bytes = written;
            return true;
        }
        FakePlatform& f;
        std::string& bytes;
    };
    std::unique_ptr<OpenFile> OpenInPlace(const std::string& target) override {
        return Fails("open") ? nullptr : std::make_unique<InPlace>(*this, files[target].content);
    }
    unsigned long ProcessId() const override { return 7; }

    // The ANSI code page is Latin-1: its bytes are the first 256 characters.
    std::optional<std::string> AnsiToUtf8(std::string_view ansi) const override {
        std::string text;
        for (const unsigned char byte : ansi) {
            text += byte < 0x80 ? std::string(1, static_cast<char>(byte))
                                : std::string{static_cast<char>(0xC0 | byte >> 6),
                                              static_cast<char>(0x80 | (byte & 0x3F))};
        }
        return text;
    }
    std::optional<std::string> Utf8ToAnsi(std::string_view utf8) const override {
        std::string ansi;
        for (std::size_t at = 0; at < utf8.size(); ++at) {
            const auto byte = static_cast<unsigned char>(utf8[at]);
            if (byte >= 0xC4 || (byte >= 0x80 && at + 1 == utf8.size())) {
                return std::nullopt;  // beyond U+00FF
            }
            ansi +=
                static_cast<char>(byte < 0x80 ? byte : (byte & 0x03) << 6 | (utf8[++at] & 0x3F));
        }
        return ansi;
    }
    FakeFile& AddFile(std::string_view path, std::string_view content = "") {
        FakeFile& file = files[std::string(path)] = FakeFile();
        file.content = content;
        return file;
    }

    // Window: a size or state that changes raises the resize event before the setter
    // returns, as the real window does.
    WindowRect Rect() const override { return rect; }
    void SetLeft(float twips) override { Set("Left", rect.left, twips, false); }
    void SetTop(float twips) override { Set("Top", rect.top, twips, false); }
    void SetWidth(float twips) override { Set("Width", rect.width, twips, true); }
    void SetHeight(float twips) override { Set("Height", rect.height, twips, true); }
    bool Visible() const override { return visible; }
    void SetVisible(bool value) override {
        windowLog.push_back(value ? "Show" : "Hide");
        visible = value;
    }
    int State() const override { return state; }
    void SetState(int value) override { Set("State", state, value, true); }
    void SetCaption(std::string_view text) override {
        windowLog.push_back("Caption " + std::string(text));
    }
    ScreenSize Screen() const override { return {19200, 12000}; }
    bool OnSomeMonitor(const WindowRect& r) const override {
        return r.left < Screen().width && r.top < Screen().height && r.left + r.width > 0 &&
               r.top + r.height > 0;
    }
    void SetNotesWidth(float width) override { notesWidth = width; }
    void SetBrowserSize(float width, float height) override { browserSize = {width, height}; }
    bool ShowPopupMenu(std::optional<ScreenPoint> at) override {
        windowLog.push_back(at ? "Menu " + std::to_string(at->x) + "," + std::to_string(at->y)
                               : "Menu");
        return menuChosen;
    }
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
            answers.erase(answers.begin());
        }
        return answer;
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

    // What the logic asked for since the last look: the log, "|", the window's log, each
    // joined by blanks ("add 106 delete 212|Show State 0").
    std::string Calls() { return Take(log) + "|" + Take(windowLog); }

    std::vector<std::string> log, windowLog;
    std::set<WindowHandle> shown;
    std::vector<NotifyRecord> records;  // of every call, in order
    std::map<Moment, int> offsets{{std::numeric_limits<Moment>::min(), 60}};
    mutable Moment now = 0;
    Moment clockStep = 0;
    bool menuChosen = false;  // whether the user chooses an item of the popup menu
    std::map<std::string, std::string> ini;
    std::vector<std::string> reads, writes;
    std::map<std::string, FakeFile, CaseLess> files;
    std::string fails;  // the steps of a replacement that fail
    bool taken = false;
    int inPlaceWrites = 0;
    WindowRect rect{0, 0, 12000, 8000};
    bool visible = true;
    int state = kWindowNormal;
    float notesWidth = 0;
    std::pair<float, float> browserSize;
    std::function<void()> onResize;
    bool resizeOnEverySet = false;  // a platform that reports a resize for every change
    std::string location;
    std::vector<std::string> answers;
    std::vector<FileDialogRequest> dialogs;
    FakeClipboard clipboard{log};
    FakeNotes notes;
    FakeRegistry registry;
    FakeMonthView monthView;
    WeekRule regionalWeeks = kIsoWeeks;
    Platform platform{*this, *this,     *this, *this,    *this, *this,     *this,   notes,
                      *this, clipboard, *this, registry, *this, monthView, kProgram};

  private:
    static std::string Take(std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : std::exchange(lines, {})) {
            text += (text.empty() ? "" : " ") + line;
        }
        return text;
    }

    // Logs the call; a change of a size or of the state raises the resize event.
    template <typename T>
    void Set(const char* what, T& field, T value, bool resizes) {
        windowLog.push_back((std::ostringstream() << what << ' ' << value).str());
        const bool changed = std::exchange(field, value) != value;
        if (resizes && (changed || resizeOnEverySet) && onResize) {
            onResize();
        }
    }
};

}  // namespace datrelle::fakes
