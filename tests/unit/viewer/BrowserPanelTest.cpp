#include "viewer/BrowserPanel.h"

#include <gtest/gtest.h>

#include "FakeBrowser.h"
#include "FakeFileDialog.h"
#include "ViewerDoubles.h"

namespace datrelle {
namespace {

using fakes::FakeBrowser;
using fakes::FakeFileDialog;
using viewertest::RecordingWindow;
using Strings = std::vector<std::string>;

class BrowserPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Wired as the program wires them: the menu item and the button share one path.
        form.Command7.onClick = [this] { panel.OnCommand7Click(); };
        form.mnuOpenFileInBrowser.onClick = [this] { panel.OnMnuOpenFileInBrowserClick(); };
        form.Command6.onClick = [this] { maximizeSawNavigations = browser.navigations; };
    }

    FakeBrowser browser;
    RecordingWindow window;
    FakeFileDialog fileDialog;
    CommonDialog dialog{fileDialog};
    Form form;
    SharedVariables vars;
    BrowserPanel panel{browser, window, dialog, form, vars};
    std::optional<Strings> maximizeSawNavigations;
};

TEST(FirstPageTest, LastAddressOrTheDefaultStartPage) {
    EXPECT_EQ(FirstPage(""), kDefaultStartPage);
    EXPECT_EQ(FirstPage("https://example.org/last"), "https://example.org/last");
    EXPECT_EQ(FirstPage("C:\\Web\\page.htm"), "C:\\Web\\page.htm");
    // Both built-in addresses are plain https addresses.
    for (const std::string_view address : {kDefaultStartPage, kMakerHomePage}) {
        EXPECT_TRUE(address.starts_with("https://")) << address;
        EXPECT_EQ(address.find_first_of(" \t\r\n\"'"), std::string_view::npos) << address;
    }
}

TEST_F(BrowserPanelTest, SearchTheWebOnlyShowsTheSearchPage) {
    panel.OnCommand2Click();
    EXPECT_EQ(browser.searches, 1);
    EXPECT_TRUE(browser.navigations.empty());
    EXPECT_TRUE(window.log.empty());
    EXPECT_TRUE(fileDialog.requests.empty());
}

TEST_F(BrowserPanelTest, DefaultSiteGoesToTheLastAddressOfThePreviousRun) {
    // First run: no address in the settings, nothing happens even though start-up
    // showed the default start page.
    browser.Navigate(FirstPage(vars.LastURL));
    panel.OnCommand4Click();
    EXPECT_EQ(browser.navigations, Strings{std::string(kDefaultStartPage)});

    // Later runs: back to that address, however far the user has browsed since.
    vars.LastURL = "https://example.org/last";
    browser.Navigate("https://example.org/elsewhere");
    browser.navigations.clear();
    panel.OnCommand4Click();
    panel.OnCommand4Click();
    EXPECT_EQ(browser.navigations, (Strings{vars.LastURL, vars.LastURL}));
    EXPECT_EQ(vars.LastURL, "https://example.org/last");
}

TEST_F(BrowserPanelTest, OpenFileShowsTheChosenFileAndBringsAHiddenWindowBack) {
    struct Case {
        const char* name;
        bool visible;
        int state;
        const char* answer;  // "" = cancelled
        Strings navigations;
        Strings windowLog;
    };
    const Strings shown = {"show", "state 0"};
    const Case cases[] = {
        {"visible, chosen", true, kWindowNormal, "C:\\a.pdf", {"C:\\a.pdf"}, {}},
        {"visible, cancelled", true, kWindowNormal, "", {}, {}},
        {"hidden, chosen", false, kWindowNormal, "C:\\a.pdf", {"C:\\a.pdf"}, shown},
        {"hidden, cancelled", false, kWindowNormal, "", {}, shown},
        {"hidden, minimized, chosen", false, kWindowMinimized, "C:\\b.png", {"C:\\b.png"}, shown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeBrowser localBrowser;
        RecordingWindow localWindow;
        localWindow.visible = c.visible;
        localWindow.state = c.state;
        FakeFileDialog localFileDialog;
        localFileDialog.Choose(c.answer);
        CommonDialog localDialog{localFileDialog};
        localDialog.InitDir = "C:\\Earlier\\notes.txt";
        Form localForm;
        BrowserPanel localPanel{localBrowser, localWindow, localDialog, localForm, vars};

        localPanel.OnCommand7Click();

        ASSERT_EQ(localFileDialog.requests.size(), 1u);
        const FileDialogRequest& request = localFileDialog.requests[0];
        EXPECT_EQ(request.title, "Open File in browser");
        EXPECT_EQ(request.filter,
                  "Web Files|*.htm;*.html;*.pdf|Images and Pictures|*.bmp;*.jpg;*.gif;*.png|"
                  "Media Files|*.avi;*.wmv;*.mp3;*.wav;*.mpg|All Files|*.*");
        // Not its own to set: the folder an earlier use left stays in force.
        EXPECT_EQ(request.initialFolder, "C:\\Earlier\\notes.txt");
        EXPECT_EQ(localBrowser.navigations, c.navigations);
        EXPECT_EQ(localWindow.log, c.windowLog);
        EXPECT_TRUE(localWindow.visible);
        EXPECT_EQ(localWindow.state, c.visible ? c.state : kWindowNormal);
    }
}

TEST_F(BrowserPanelTest, OpenFileFromTheTrayMenuWhileHidden) {
    window.visible = false;
    browser.Navigate("https://example.org/before");
    fileDialog.Choose("C:\\Web\\page.htm");
    fileDialog.Cancel();

    form.mnuOpenFileInBrowser.Click();
    EXPECT_EQ(fileDialog.requests.size(), 1u);
    EXPECT_EQ(browser.LocationURL(), "C:\\Web\\page.htm");
    EXPECT_EQ(window.log, (Strings{"show", "state 0"}));

    // Hidden again, then cancelled: shown all the same, with the page it had.
    window.visible = false;
    window.log.clear();
    form.mnuOpenFileInBrowser.Click();
    EXPECT_EQ(fileDialog.requests.size(), 2u);
    EXPECT_EQ(browser.LocationURL(), "C:\\Web\\page.htm");
    EXPECT_EQ(window.log, (Strings{"show", "state 0"}));
}

TEST_F(BrowserPanelTest, TitleLabelOpensTheMakersPageThenMaximizes) {
    panel.OnLabel1DblClick();
    EXPECT_EQ(browser.navigations, Strings{std::string(kMakerHomePage)});
    ASSERT_TRUE(maximizeSawNavigations.has_value()) << "Ma&ximize was not pressed";
    EXPECT_EQ(*maximizeSawNavigations, Strings{std::string(kMakerHomePage)});
}

TEST_F(BrowserPanelTest, CaptionFollowsTheAddressNotTheTitle) {
    browser.Navigate("file:///C:/Web/page.htm");
    panel.OnTitleChange("My page");
    EXPECT_EQ(window.caption, "file:///C:/Web/page.htm");

    panel.OnCommand2Click();
    panel.OnTitleChange("Search");
    EXPECT_EQ(window.caption, FakeBrowser::kSearchPage);
    EXPECT_EQ(vars.LastURL, "");

    // No page at all: the caption shows that, too.
    browser.location.clear();
    panel.OnTitleChange("");
    EXPECT_EQ(window.caption, "");
}

}  // namespace
}  // namespace datrelle
