#include "viewer/BrowserPanel.h"

#include <gtest/gtest.h>

#include "FakeBrowser.h"
#include "FakeFileDialog.h"
#include "FakeWindow.h"

namespace datrelle {
namespace {

using fakes::FakeBrowser;
using fakes::FakeFileDialog;
using Strings = std::vector<std::string>;

class BrowserPanelTest : public ::testing::Test {
  protected:
    FakeBrowser browser;
    fakes::FakeWindow window;
    FakeFileDialog fileDialog;
    CommonDialog dialog{fileDialog};
    Form form;
    SharedVariables vars;
    BrowserPanel panel{browser, window, dialog, form, vars};
};

TEST_F(BrowserPanelTest, SearchTheWebOnlyShowsTheSearchPage) {
    panel.OnCommand2Click();
    EXPECT_EQ(browser.searches, 1);
    EXPECT_TRUE(browser.navigations.empty());
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(BrowserPanelTest, DefaultSiteGoesToTheLastAddressOfThePreviousRun) {
    // First run: no address in the settings, nothing happens.
    EXPECT_EQ(FirstPage(vars.LastURL), kDefaultStartPage);
    panel.OnCommand4Click();
    EXPECT_TRUE(browser.navigations.empty());

    // Later runs: back to that address, however far the user has browsed since.
    vars.LastURL = "https://example.org/last";
    EXPECT_EQ(FirstPage(vars.LastURL), vars.LastURL);
    browser.Navigate("https://example.org/elsewhere");
    browser.navigations.clear();
    panel.OnCommand4Click();
    EXPECT_EQ(browser.navigations, Strings{vars.LastURL});
}

TEST(BrowserPanelOpenFileTest, ShowsTheChosenFileAndBringsAHiddenWindowBack) {
    struct Case {
        const char* name;
        bool visible;
        int state;
        const char* answer;  // "" = cancelled
        Strings navigations;
        Strings windowCalls;
    };
    const Strings shown = {"Visible 1", "State 0"};
    const Case cases[] = {
        {"visible, chosen", true, kWindowNormal, "C:\\a.pdf", {"C:\\a.pdf"}, {}},
        {"visible, cancelled", true, kWindowNormal, "", {}, {}},
        {"hidden, cancelled", false, kWindowNormal, "", {}, shown},
        {"hidden, minimized, chosen", false, kWindowMinimized, "C:\\b.png", {"C:\\b.png"}, shown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeBrowser browser;
        fakes::FakeWindow window;
        window.visible = c.visible;
        window.state = c.state;
        FakeFileDialog fileDialog;
        fileDialog.Choose(c.answer);
        CommonDialog dialog{fileDialog};
        dialog.InitDir = "C:\\Earlier\\notes.txt";
        Form form;
        SharedVariables vars;
        BrowserPanel panel{browser, window, dialog, form, vars};

        panel.OnCommand7Click();

        ASSERT_EQ(fileDialog.requests.size(), 1u);
        EXPECT_EQ(fileDialog.requests[0].title, kOpenFileTitle);
        // Not its own to set: the folder an earlier use left stays in force.
        EXPECT_EQ(fileDialog.requests[0].initialFolder, "C:\\Earlier\\notes.txt");
        EXPECT_EQ(browser.navigations, c.navigations);
        EXPECT_EQ(window.calls, c.windowCalls);
        EXPECT_TRUE(window.visible);
    }
}

TEST_F(BrowserPanelTest, TitleLabelOpensTheMakersPageThenMaximizes) {
    std::optional<Strings> maximizeSawNavigations;
    form.Command6.onClick = [&] { maximizeSawNavigations = browser.navigations; };
    panel.OnLabel1DblClick();
    ASSERT_TRUE(maximizeSawNavigations.has_value()) << "Ma&ximize was not pressed";
    EXPECT_EQ(*maximizeSawNavigations, Strings{std::string(kMakerHomePage)});
}

TEST_F(BrowserPanelTest, CaptionFollowsTheAddressNotTheTitle) {
    browser.Navigate("file:///C:/Web/page.htm");
    panel.OnTitleChange("My page");
    EXPECT_EQ(window.caption, "file:///C:/Web/page.htm");
    browser.location.clear();
    panel.OnTitleChange("");
    EXPECT_EQ(window.caption, "");
}

}  // namespace
}  // namespace datrelle
