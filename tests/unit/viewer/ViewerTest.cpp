#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "viewer/BrowserPanel.h"
#include "viewer/NotesPanel.h"
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

TEST(TextFileLoaderTest, LinesEndAtCrOrCrLfAndAreJoinedWithCrLf) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"\r\n\r\nabc\r\ndef\r\n", "abc\r\ndef"},  // leading empty lines are lost
        {"a\r\n\r\n\r\n", "a\r\n\r\n"},            // trailing empty lines keep a line end each
        {"a\rb\rc\r", "a\r\nb\r\nc"},
        {"a\nb\n", "a\nb\n"},  // a lone LF stays in the line
        {"a\n\rb", "a\n\r\nb"},
        {"a\r\r\n", "a\r\n"},  // the last byte is a line end's LF
        {"a\0b\r\ncaf\xE9"s, "a\0b\r\ncaf\xE9"s},
    };
    fakes::FakePlatform fake;
    for (const auto& [bytes, text] : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        fake.AddFile("C:\\Notes\\n.txt", bytes);
        std::string textFileDir = "earlier";
        EXPECT_EQ(LoadTextFile(fake, "c:\\notes\\N.TXT", textFileDir), text);
        EXPECT_EQ(textFileDir, "c:\\notes\\N.TXT");
    }
    fake.AddFile("C:\\Notes\\hidden.txt", "secret").ordinary = false;
    fake.AddFile("C:\\Notes\\locked.txt", "locked").readable = false;
    for (const char* path :
         {"", "C:\\Notes\\missing.txt", "C:\\Notes\\hidden.txt", "C:\\Notes\\locked.txt"}) {
        std::string textFileDir = "earlier";
        EXPECT_EQ(LoadTextFile(fake, path, textFileDir), std::nullopt) << path;
        EXPECT_EQ(textFileDir, "earlier");
    }
}

class PanelsTest : public ::testing::Test {
  protected:
    fakes::FakePlatform fake;
    CommonDialog dialog{fake};
    Form form;
    SharedVariables vars;
    BrowserPanel browser{fake, fake, dialog, form, vars};
    NotesPanel notes{dialog, fake.notes, fake, form, vars};
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
    fake.AddFile("C:\\Notes\\a.txt", "first\r\nsecond");
    fake.AddFile("C:\\Notes\\locked.txt", "unseen").readable = false;
    // The dialog's answer ("" = cancelled); the box's text and TextFileDir afterwards; whether
    // the box refuses the file's text.
    const std::tuple<const char*, const char*, const char*, bool> cases[] = {
        {"C:\\Notes\\a.txt", "first\r\nsecond", "C:\\Notes\\a.txt", false},
        {"C:\\Notes\\new.txt", "", "C:\\Notes\\new.txt", false},  // a new name empties the box
        {"", "typed", "", false},  // then "Save Changes" has no file to write
        // Neither a file nobody saw nor a text the box refused may be saved over.
        {"C:\\Notes\\locked.txt", "typed", "C:\\Notes\\old.txt", false},
        {"C:\\Notes\\a.txt", "typed", "C:\\Notes\\old.txt", true},
    };
    for (const auto& [answer, text, file, boxRefuses] : cases) {
        SCOPED_TRACE(answer);
        fake.notes.text = "typed";
        fake.notes.refuses = boxRefuses;
        vars.TextFileDir = "C:\\Notes\\old.txt";
        form.Command8.SetVisible(false);
        fake.answers = {answer};
        notes.OnText1DblClick();
        // The box, the notes file and the button, and the folder and filter the dialog had.
        EXPECT_EQ(std::tuple(fake.notes.text, vars.TextFileDir, form.Command8.Visible(),
                             fake.dialogs.back().initialFolder, fake.dialogs.back().filter),
                  std::tuple(text, file, true, "C:\\Notes\\old.txt", kNotesFilter));
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
