#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "viewer/BrowserPanel.h"
#include "viewer/NotesFile.h"
#include "viewer/NotesPanel.h"
#include "viewer/TextEncoding.h"
#include "viewer/TextFileLoader.h"
#include "viewer/WindowLayout.h"

namespace datrelle {
namespace {

using namespace std::string_literals;

// The notes box's left edge + 100, and the browser panel's top edge + 300.
constexpr float kMinWidth = 6025, kMinHeight = 2925;

TEST(LayoutTest, TheMinimumSizeHoldsAndThePanelsFollow) {
    fakes::FakePlatform fake;
    WindowLayout layout{fake};
    fake.onResize = [&] { layout.OnResize(); };
    const float cases[][4] = {
        {3000, 1000, kMinWidth, kMinHeight},
        {kMinWidth - 0.5f, 9000, kMinWidth, 9000},
        {kMinWidth, kMinHeight, kMinWidth, kMinHeight},  // exactly the minimum stays
        {12000, kMinHeight - 15, 12000, kMinHeight},
    };
    for (const auto& [width, height, finalWidth, finalHeight] : cases) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        // The user drags the frame of the minimised window to this size: one resize event.
        fake.state = kWindowMinimized;
        fake.rect = {0, 0, width, height};
        fake.onResize();
        EXPECT_EQ(fake.rect, (WindowRect{0, 0, finalWidth, finalHeight}));
        EXPECT_EQ(fake.browserSize, std::pair(finalWidth - 100, finalHeight - 2625 - 100));
        EXPECT_EQ(fake.notesWidth, finalWidth - 5925 - 100);
        // Normal first, then a size only where it is below the minimum.
        const std::string calls = fake.Calls();
        EXPECT_TRUE(calls.starts_with("|State 0"));
        EXPECT_EQ(calls.find("Width") != calls.npos, width < kMinWidth);
        EXPECT_EQ(calls.find("Height") != calls.npos, height < kMinHeight);
    }
    // A platform that reports a resize for every change, made or not, still ends: the
    // outer run and at most three nested ones, each setting the state twice.
    fake.resizeOnEverySet = true;
    fake.rect = {0, 0, 1000, 1000};
    fake.onResize();
    EXPECT_EQ(fake.browserSize, std::pair(kMinWidth - 100, 200.0f));
    EXPECT_EQ(std::ranges::count(fake.windowLog, "State 0"), 2 * (1 + 2 + 4 + 8));
}

// The bytes of a file; the text the box shows (UTF-8) and the encoding the file is
// written back in; whether a text saved unchanged (with its one line end) gives the
// same bytes again.
struct LoadCase {
    std::string bytes, text;
    TextEncoding encoding = TextEncoding::Ansi;
    bool sameBytesOnSave = false;
};

TEST(TextFileLoaderTest, ReadsEveryEncodingAndJoinsItsLinesWithCrLf) {
    using enum TextEncoding;
    const LoadCase cases[] = {
        {"", "", Ansi},
        {"\r\n\r\nabc\r\ndef\r\n", "abc\r\ndef"},    // leading empty lines are lost
        {"a\r\n\r\n\r\n", "a\r\n\r\n", Ansi, true},  // trailing ones keep a line end each
        {"a\rb\rc\r", "a\r\nb\r\nc"},
        {"a\nb\n", "a\nb\n"},  // a lone LF stays in the line
        {"a\n\rb\n\rc", "a\n\r\nb\n\r\nc"},
        {"a\r\r\n", "a\r\n"},  // the last byte is a line end's LF
        // Not UTF-8 (a Latin-1 byte, a cut sequence, an overlong form, a surrogate, a
        // value beyond U+10FFFF): ANSI.
        {"caf\xE9\r\na\0b\r\n"s, "caf\xC3\xA9\r\na\0b"s, Ansi, true},
        {"\x80\r\n", "\xC2\x80", Ansi, true},  // the lowest byte beyond ASCII, alone
        {"caf\xC3", "caf\xC3\x83"},
        {"\xE9tre", "\xC3\xA9tre"},
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},
        {"\xF5\x80\x80\x80", "\xC3\xB5\xC2\x80\xC2\x80\xC2\x80"},
        // UTF-8 without a mark, as Notepad writes it: "Grüße – 5 €"; the first and last
        // characters of each length.
        {"\r\nGr\xC3\xBC\xC3\x9F"
         "e \xE2\x80\x93 5 \xE2\x82\xAC\r\n",
         "Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x80\x93 5 \xE2\x82\xAC",
         Utf8},
        {"\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\r\n",
         "\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
         Utf8, true},
        // With a mark: a mark alone is an empty text, a broken sequence (a stray
        // continuation byte among them) one U+FFFD.
        {"\xEF\xBB\xBF", "", Utf8Bom},
        {"\xEF\xBB\xBF\xE4\xB8\xAD\r\n", "\xE4\xB8\xAD", Utf8Bom, true},
        {"\xEF\xBB\xBF"
         "a\x80\xC3(\xF4\x90\xE2\x82",
         "a\xEF\xBF\xBD\xEF\xBF\xBD(\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", Utf8Bom},
        // UTF-16: "Ärger" as older Notepad's "Unicode" writes it, with U+07FF and U+0800 (two
        // and three bytes in UTF-8); a pair of surrogates is one character, also at the end;
        // a lone one, or a last odd byte, U+FFFD; the line rules apply to the characters.
        {"\xFF\xFE", "", Utf16Le},
        {"\xFF\xFE\xC4\0r\0g\0e\0r\0\xFF\x07\0\x08\r\0\n\0"s, "\xC3\x84rger\xDF\xBF\xE0\xA0\x80",
         Utf16Le, true},
        {"\xFF\xFE\r\0\n\0a\0\0\0\x80\0\x00\xD8\x00\xDC\xFF\xDB\xFF\xDF"s,
         "a\0\xC2\x80\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"s, Utf16Le},
        {"\xFF\xFE\xFF\xDF"
         "a\0\x00\xD8"s,
         "\xEF\xBF\xBD"
         "a\xEF\xBF\xBD",
         Utf16Le},
        {"\xFF\xFE"
         "a\0b"s,
         "a\xEF\xBF\xBD", Utf16Le},
        {"\xFE\xFF\0\xE9\0\r\0\n\xD8\x00\xDC\x00\0\r\0\n"s, "\xC3\xA9\r\n\xF0\x90\x80\x80", Utf16Be,
         true},
    };
    fakes::FakePlatform fake;
    for (const auto& [bytes, text, encoding, sameBytesOnSave] : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        fake.AddFile("C:\\Notes\\n.txt", bytes);
        const auto loaded = LoadTextFile(fake, fake, "c:\\notes\\N.TXT");
        ASSERT_TRUE(loaded);
        EXPECT_EQ(std::pair(loaded->text, loaded->encoding), std::pair(text, encoding));
        EXPECT_EQ(EncodeText(text + "\r\n", encoding, fake).bytes == bytes, sameBytesOnSave);
    }
}

// What is at the chosen name; what the load finds and the box then shows; the file that
// "Save Changes" then writes (the earlier one is UTF-16 BE), what it holds after the typed
// text is saved, and in what encoding a next save writes. Another program may make a file
// at the name between the load and the save.
TEST(NotesFileTest, LoadsWhatIsThereAndSavesInTheFilesEncoding) {
    using enum TextEncoding;
    using enum PathKind;
    enum Access { Free, Unreadable, Unwritable };
    const std::string chosen = "C:\\Notes\\n.txt", earlier = "C:\\Notes\\old.txt";
    const std::string typed = "d\xC3\xA9j\xC3\xA0", check = "\xE2\x9C\x93 caf\xC3\xA9";
    const std::string earlierSaved = "\xFE\xFF\0d\0\xE9\0j\0\xE0\0\r\0\n"s;
    const std::tuple<PathKind, const char*, Access, NotesFound, std::optional<std::string>,
                     std::string, std::string, std::string, bool, TextEncoding, const char*>
        cases[] = {
            {OrdinaryFile, "caf\xE9\r\n", Free, NotesFound::Loaded, "caf\xC3\xA9", typed, chosen,
             "d\xE9j\xE0\r\n", true, Ansi, nullptr},
            // A text beyond the code page makes it UTF-8 with a mark, once saved.
            {OrdinaryFile, "caf\xE9", Free, NotesFound::Loaded, "caf\xC3\xA9", check, chosen,
             "\xEF\xBB\xBF" + check + "\r\n", true, Utf8Bom, nullptr},
            {OrdinaryFile, "caf\xE9", Unwritable, NotesFound::Loaded, "caf\xC3\xA9", check, chosen,
             "caf\xE9", false, Ansi, nullptr},
            // Chosen by name, a hidden file is read like any other.
            {HiddenFile, "secret", Free, NotesFound::Loaded, "secret", typed, chosen,
             "d\xE9j\xE0\r\n", true, Ansi, nullptr},
            // A name that names nothing yet empties the box; the file is made in UTF-8, but
            // never over one that another program made there since.
            {Nothing, "", Free, NotesFound::NoSuchFile, "", typed, chosen, typed + "\r\n", true,
             Utf8, nullptr},
            {Nothing, "", Free, NotesFound::NoSuchFile, "", typed, chosen, "theirs", false, Utf8,
             "theirs"},
            // A folder, or a file that cannot be read, leaves the earlier one the notes file.
            {Folder, "", Free, NotesFound::NotAFile, std::nullopt, typed, earlier, earlierSaved,
             true, Utf16Be, nullptr},
            {OrdinaryFile, "unseen", Unreadable, NotesFound::Unreadable, std::nullopt, typed,
             earlier, earlierSaved, true, Utf16Be, nullptr},
        };
    for (const auto& [kind, content, access, found, shown, text, savedTo, bytes, done, encoding,
                      madeMeanwhile] : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        fakes::FakePlatform fake;
        fake.AddFile(earlier, "\xFE\xFF\0o"s);
        NotesFile file;
        ASSERT_EQ(file.Load(fake, fake, earlier).found, NotesFound::Loaded);
        if (kind != Nothing) {
            fake.files[chosen] = {content, kind, access != Unreadable};
        }
        fake.fails = access == Unwritable ? fakes::FakePlatform::kLocked : "";
        const NotesFile::Loaded loaded = file.Load(fake, fake, chosen);
        EXPECT_EQ(std::pair(loaded.found, loaded.text), std::pair(found, shown));
        if (madeMeanwhile != nullptr) {
            fake.AddFile(chosen, madeMeanwhile);
        }
        const Replacement saved = file.Save(fake, fake, text);
        EXPECT_EQ(std::tuple(file.TextFileDir(), saved.done, *fake.ReadAll(file.TextFileDir()),
                             file.Encoding()),
                  std::tuple(savedTo, done, bytes, encoding));
        EXPECT_EQ(file.Save(fake, fake, text).done, done) << "saved again";
    }
}

class PanelsTest : public ::testing::Test {
  protected:
    fakes::FakePlatform fake;
    CommonDialog dialog{fake};
    Form form;
    SharedVariables vars;
    BrowserPanel browser{fake, fake, dialog, form, vars};
    NotesFile notesFile;
    NotesPanel notes{dialog, fake.notes, fake, fake, form, notesFile};
};

TEST_F(PanelsTest, BrowserCommands) {
    // The rest is checked with the whole program; the label also runs Command6.
    form.Command6.onClick = [this] { fake.log.push_back("Command6"); };
    browser.OnCommand4Click();  // no address from the last run: nowhere to go
    browser.OnLabel1DblClick();
    EXPECT_EQ(fake.Calls(), "navigate " + std::string(kMakerHomePage) + " Command6|");
    // Open File: the window, visible here, is left as it is (the tray menu's hidden one
    // comes back, which is checked with the whole program).
    fake.answers = {"C:\\Web\\page.htm"};
    browser.OnCommand7Click();
    EXPECT_EQ(fake.Calls(), "navigate C:\\Web\\page.htm|");
    EXPECT_EQ(fake.dialogs.back().filter, kOpenFileFilter);
}

TEST_F(PanelsTest, NotesDoubleClickLoadsTheChosenFileAndShowsSaveChanges) {
    fake.AddFile("C:\\Notes\\a.txt",
                 "\xFF\xFE"
                 "f\0i\0r\0s\0t\0"s);
    fake.AddFile("C:\\Notes\\locked.txt", "unseen").readable = false;
    // The dialog's answer ("" = cancelled), whether the box refuses the file's text; the
    // box's text and the notes file afterwards.
    const std::tuple<const char*, bool, const char*, const char*> cases[] = {
        {"C:\\Notes\\a.txt", false, "first", "C:\\Notes\\a.txt"},
        {"C:\\Notes\\new.txt", false, "", "C:\\Notes\\new.txt"},
        {"", false, "typed", ""},  // then "Save Changes" has no file to write
        // Neither a file nobody saw nor a text the box refused may be saved over.
        {"C:\\Notes\\locked.txt", false, "typed", "C:\\Notes\\old.txt"},
        {"C:\\Notes\\a.txt", true, "typed", "C:\\Notes\\old.txt"},
    };
    for (const auto& [answer, boxRefuses, text, file] : cases) {
        SCOPED_TRACE(answer);
        fake.notes.text = "typed";
        fake.notes.refuses = boxRefuses;
        notesFile = NotesFile();
        (void)notesFile.Load(fake, fake, "C:\\Notes\\old.txt");
        form.Command8.SetVisible(false);
        fake.answers = {answer};
        notes.OnText1DblClick();
        // The box, the notes file and the button, and the folder and filter the dialog had.
        EXPECT_EQ(std::tuple(fake.notes.text, notesFile.TextFileDir(), form.Command8.Visible(),
                             fake.dialogs.back().initialFolder, fake.dialogs.back().filter),
                  std::tuple(text, file, true, "C:\\Notes\\old.txt", kNotesFilter));
    }
    // Without a notes file the dialog starts where another chooser left it, with the
    // title "Open File" left, if it was used.
    notesFile = NotesFile();
    dialog.InitDir = "C:\\Apps\\tool.exe";
    notes.OnText1DblClick();
    EXPECT_EQ(fake.dialogs.back().initialFolder, "C:\\Apps\\tool.exe");
    browser.OnCommand7Click();
    notes.OnText1DblClick();
    EXPECT_EQ(fake.dialogs.back().title, kOpenFileTitle);
}

}  // namespace
}  // namespace datrelle
