#include "viewer/WindowLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "FakeWindow.h"

namespace datrelle {
namespace {

using fakes::FakeWindow;

// The design's anchors: the notes box's left edge and the browser panel's top edge.
constexpr float kNotesLeft = 5925;
constexpr float kBrowserTop = 2625;
constexpr float kMinWidth = 6025;
constexpr float kMinHeight = 2925;

class WindowLayoutTest : public ::testing::Test {
  protected:
    WindowLayoutTest() {
        window.onResize = [this] { layout.OnResize(); };
    }

    // The user drags the frame to this size at once: one resize event.
    void Drag(float width, float height) {
        window.rect.width = width;
        window.rect.height = height;
        window.onResize();
    }

    std::vector<std::string> CallsStartingWith(const std::string& prefix) const {
        std::vector<std::string> found;
        std::copy_if(window.calls.begin(), window.calls.end(), std::back_inserter(found),
                     [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
        return found;
    }

    FakeWindow window;
    WindowLayout layout{window};
};

TEST(WindowMinimumTest, FollowsTheAnchors) {
    EXPECT_EQ(MinimumWindowWidth(), kMinWidth);
    EXPECT_EQ(MinimumWindowHeight(), kMinHeight);
}

TEST_F(WindowLayoutTest, SizeBelowTheMinimumSnapsBackAndThePanelsFollow) {
    struct Case {
        float width;
        float height;
        float finalWidth;
        float finalHeight;
    };
    const Case cases[] = {
        {3000, 1000, kMinWidth, kMinHeight},
        {kMinWidth - 1, kMinHeight - 1, kMinWidth, kMinHeight},
        {kMinWidth - 0.5f, 9000, kMinWidth, 9000},
        {kMinWidth, kMinHeight, kMinWidth, kMinHeight},
        {kMinWidth + 1, kMinHeight + 1, kMinWidth + 1, kMinHeight + 1},
        {12000, kMinHeight - 15, 12000, kMinHeight},
        {19200.5f, 11600.25f, 19200.5f, 11600.25f},
        {0, 0, kMinWidth, kMinHeight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        Drag(c.width, c.height);
        EXPECT_EQ(window.rect.width, c.finalWidth);
        EXPECT_EQ(window.rect.height, c.finalHeight);
        EXPECT_EQ(window.browserWidth, c.finalWidth - 100);
        EXPECT_EQ(window.browserHeight, c.finalHeight - kBrowserTop - 100);
        EXPECT_EQ(window.notesWidth, c.finalWidth - kNotesLeft - 100);
        EXPECT_EQ(window.state, kWindowNormal);
    }
}

TEST_F(WindowLayoutTest, AtTheMinimumTheNotesBoxIsEmptyAndTheBrowserTwoHundredHigh) {
    Drag(100, 100);
    EXPECT_EQ(window.notesWidth, 0);
    EXPECT_EQ(window.browserHeight, 200);
}

TEST_F(WindowLayoutTest, WindowExactlyAtTheMinimumIsNotResized) {
    Drag(kMinWidth, kMinHeight);
    EXPECT_TRUE(CallsStartingWith("Width").empty());
    EXPECT_TRUE(CallsStartingWith("Height").empty());
}

TEST_F(WindowLayoutTest, NestedLayoutsAndTheOuterOneEndAlike) {
    Drag(1000, 1000);
    // The outer run sets the width, whose event runs a layout that sets the height,
    // whose event runs a third. Each reads the window afresh and sizes the panels alike.
    EXPECT_EQ(window.resizeEvents, 2);
    const auto browser = CallsStartingWith("BrowserSize");
    const auto notes = CallsStartingWith("NotesWidth");
    ASSERT_EQ(browser.size(), 3u);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(std::count(browser.begin(), browser.end(), browser.front()), 3);
    EXPECT_EQ(std::count(notes.begin(), notes.end(), notes.front()), 3);
    EXPECT_EQ(browser.front(), "BrowserSize 5925 200");
    EXPECT_EQ(notes.front(), "NotesWidth 0");
}

TEST_F(WindowLayoutTest, AnyStateIsTurnedBackToNormalAtTheSameSize) {
    window.rect = {300, 400, 9000, 7000};
    window.SetState(kWindowMinimized);
    EXPECT_EQ(window.state, kWindowNormal);
    EXPECT_EQ(window.rect, (WindowRect{300, 400, 9000, 7000}));
    EXPECT_EQ(window.browserWidth, 8900);
}

TEST_F(WindowLayoutTest, PlatformThatRefusesTheMinimumDoesNotLoopForever) {
    window.resizeEventOnEverySet = true;
    window.maxWidth = 5000;
    Drag(4000, 4000);
    EXPECT_EQ(window.rect.width, 5000);
    EXPECT_LT(window.resizeEvents, 1000);
    // The panels still follow the width the window really has.
    EXPECT_EQ(window.browserWidth, 4900);
}

TEST_F(WindowLayoutTest, MinimizeShrinksDocksAndHides) {
    window.rect = {100, 200, 15000, 9000};
    window.onResize = nullptr;
    layout.MinimizeToTray();
    EXPECT_EQ(window.calls, (std::vector<std::string>{"Width 6025", "Height 2925", "Top 8275",
                                                      "Left 13175", "Visible 0", "State 1"}));
    EXPECT_EQ(window.rect, (WindowRect{13175, 8275, kMinWidth, kMinHeight}));
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(window.state, kWindowMinimized);
}

TEST_F(WindowLayoutTest, MinimizeWithTheLayoutFollowing) {
    window.screen = {28800, 16200};
    layout.MinimizeToTray();
    EXPECT_EQ(window.rect,
              (WindowRect{28800 - kMinWidth, 16200 - kMinHeight - 800, kMinWidth, kMinHeight}));
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(window.notesWidth, 0);
}

TEST_F(WindowLayoutTest, CompactPlacementIsMinimizeWithoutHiding) {
    window.onResize = nullptr;
    layout.PlaceCompactBottomRight();
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{"Width 6025", "Height 2925", "Top 8275", "Left 13175"}));
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(window.state, kWindowNormal);
}

TEST_F(WindowLayoutTest, MaximizeFillsTheScreenButItsBottom) {
    window.rect = {500, 600, 7000, 4000};
    layout.Maximize();
    EXPECT_EQ(window.rect, (WindowRect{0, 0, 19200, 11600}));
    EXPECT_EQ(window.browserWidth, 19100);
    EXPECT_EQ(window.browserHeight, 11600 - kBrowserTop - 100);
    EXPECT_TRUE(window.visible);
    ASSERT_FALSE(window.calls.empty());
    EXPECT_EQ(window.calls.front(), "Top 0");
}

TEST_F(WindowLayoutTest, MaximizeLeavesTheStateAlone) {
    window.onResize = nullptr;
    window.state = kWindowMinimized;
    layout.Maximize();
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{"Top 0", "Left 0", "Width 19200", "Height 11600"}));
    EXPECT_EQ(window.state, kWindowMinimized);
}

TEST_F(WindowLayoutTest, DockKeepsTheSizeAndMovesToTheLowerRightCorner) {
    struct Case {
        WindowRect before;
        float top;
        float left;
    };
    const Case cases[] = {
        {{0, 0, 7000, 4000}, 12000 - 4000 - 800, 19200 - 7000},
        {{-500, 9000, kMinWidth, kMinHeight}, 12000 - kMinHeight - 800, 19200 - kMinWidth},
        // Taller than the screen less 800, or wider than the screen: off the top or left.
        {{0, 0, 25000, 12500}, -1300, -5800},
        {{10, 10, 19200, 11200}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.before.width << " x " << c.before.height);
        window.rect = c.before;
        window.calls.clear();
        layout.Dock();
        EXPECT_EQ(window.rect, (WindowRect{c.left, c.top, c.before.width, c.before.height}));
        EXPECT_EQ(window.calls.front(), "Top " + testing::PrintToString(c.top));
        EXPECT_TRUE(window.visible);
    }
}

}  // namespace
}  // namespace datrelle
