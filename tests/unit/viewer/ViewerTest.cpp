#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "viewer/BrowserPanel.h"
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
    // A platform that reports a resize for every change, made or not, still ends.
    fake.resizeOnEverySet = true;
    fake.rect = {0, 0, 1000, 1000};
    fake.onResize();
    EXPECT_EQ(fake.browserSize, std::pair(kMinWidth - 100, 200.0f));
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
        {"a\n\rb", "a\n\r\nb"},
        {"a\r\r\n", "a\r\n"},  // the last byte is a line end's LF
        // Not UTF-8 (a Latin-1 byte, a cut sequence, an overlong form, a surrogate, a
        // value beyond U+10FFFF): ANSI.
        {"caf\xE9\r\na\0b\r\n"s, "caf\xC3\xA9\r\na\0b"s, Ansi, true},
        {"caf\xC3", "caf\xC3\x83"},
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
        // With a mark: a mark alone is an empty text, a broken sequence one U+FFFD.
        {"\xEF\xBB\xBF", "", Utf8Bom},
        {"\xEF\xBB\xBF\xE4\xB8\xAD\r\n", "\xE4\xB8\xAD", Utf8Bom, true},
        {"\xEF\xBB\xBF"
         "a\xC3(\xF4\x90\xE2\x82",
         "a\xEF\xBF\xBD(\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", Utf8Bom},
        // UTF-16: a pair of surrogates is one character, also at the end; a lone one, or a
        // last odd byte, U+FFFD; the line rules apply to the characters.
        {"\xFF\xFE", "", Utf16Le},
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
        std::string textFileDir = "earlier";
        const auto loaded = LoadTextFile(fake, fake, "c:\\notes\\N.TXT", textFileDir);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(std::pair(loaded->text, loaded->encoding), std::pair(text, encoding));
        EXPECT_EQ(textFileDir, "c:\\notes\\N.TXT");
        EXPECT_EQ(EncodeText(text + "\r\n", encoding, fake).bytes == bytes, sameBytesOnSave);
    }
    fake.AddFile("C:\\Notes\\hidden.txt", "secret").kind = PathKind::HiddenFile;
    fake.AddFile("C:\\Notes\\locked.txt", "locked").readable = false;
    for (const char* path :
         {"", "C:\\Notes\\missing.txt", "C:\\Notes\\hidden.txt", "C:\\Notes\\locked.txt"}) {
        std::string textFileDir = "earlier";
        EXPECT_EQ(LoadTextFile(fake, fake, path, textFileDir), std::nullopt) << path;
        EXPECT_EQ(textFileDir, "earlier");
    }
}

TEST(TextEncodingTest, AnAnsiTextTheCodePageCannotHoldIsSavedAsUtf8WithAMark) {
    fakes::FakePlatform fake;  // Latin-1
    using enum TextEncoding;
    EXPECT_EQ(EncodeText("caf\xC3\xA9", Ansi, fake), (EncodedText{"caf\xE9", Ansi}));
    EXPECT_EQ(EncodeText("\xE2\x9C\x93 caf\xC3\xA9", Ansi, fake),
              (EncodedText{"\xEF\xBB\xBF\xE2\x9C\x93 caf\xC3\xA9", Utf8Bom}));
}

class PanelsTest : public ::testing::Test {
  protected:
    fakes::FakePlatform fake;
    CommonDialog dialog{fake};
    Form form;
    SharedVariables vars;
    BrowserPanel browser{fake, fake, dialog, form, vars};
    NotesPanel notes{dialog, fake.notes, fake, fake, form, vars};
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
    // The dialog's answer ("" = cancelled); the box's text, TextFileDir and the encoding
    // it is saved in afterwards (the old file's is UTF-16 BE); whether the box refuses the
    // file's text.
    using enum TextEncoding;
    const std::tuple<const char*, const char*, const char*, TextEncoding, bool> cases[] = {
        {"C:\\Notes\\a.txt", "first", "C:\\Notes\\a.txt", Utf16Le, false},
        // A new name empties the box, and is written as today's editors write.
        {"C:\\Notes\\new.txt", "", "C:\\Notes\\new.txt", Utf8, false},
        {"", "typed", "", Utf16Be, false},  // then "Save Changes" has no file to write
        // Neither a file nobody saw nor a text the box refused may be saved over.
        {"C:\\Notes\\locked.txt", "typed", "C:\\Notes\\old.txt", Utf16Be, false},
        {"C:\\Notes\\a.txt", "typed", "C:\\Notes\\old.txt", Utf16Be, true},
    };
    for (const auto& [answer, text, file, encoding, boxRefuses] : cases) {
        SCOPED_TRACE(answer);
        fake.notes.text = "typed";
        fake.notes.refuses = boxRefuses;
        vars.TextFileDir = "C:\\Notes\\old.txt";
        vars.TextFileEncoding = Utf16Be;
        form.Command8.SetVisible(false);
        fake.answers = {answer};
        notes.OnText1DblClick();
        // The box, the notes file and the button, and the folder and filter the dialog had.
        EXPECT_EQ(std::tuple(fake.notes.text, vars.TextFileDir, vars.TextFileEncoding,
                             form.Command8.Visible(), fake.dialogs.back().initialFolder,
                             fake.dialogs.back().filter),
                  std::tuple(text, file, encoding, true, "C:\\Notes\\old.txt", kNotesFilter));
    }
    // Without a notes file the dialog starts where another chooser left it, with the
    // title "Open File" left, if it was used.
    vars.TextFileDir.clear();
    dialog.InitDir = "C:\\Apps\\tool.exe";
    notes.OnText1DblClick();
    EXPECT_EQ(fake.dialogs.back().initialFolder, "C:\\Apps\\tool.exe");
    browser.OnCommand7Click();
    notes.OnText1DblClick();
    EXPECT_EQ(fake.dialogs.back().title, kOpenFileTitle);
}

}  // namespace
}  // namespace datrelle
