#include "viewer/WindowLayout.h"

#include <gtest/gtest.h>

#include "FakeWindow.h"

namespace datrelle {
namespace {

using fakes::FakeWindow;
using Calls = std::vector<std::string>;

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
        window.calls.clear();
        window.onResize();
    }

    FakeWindow window;
    WindowLayout layout{window};
};

TEST_F(WindowLayoutTest, SizeBelowTheMinimumSnapsBackAndThePanelsFollow) {
    struct Case {
        float width;
        float height;
        float finalWidth;
        float finalHeight;
    };
    const Case cases[] = {
        {3000, 1000, kMinWidth, kMinHeight},
        {kMinWidth - 0.5f, 9000, kMinWidth, 9000},
        {kMinWidth, kMinHeight, kMinWidth, kMinHeight},
        {kMinWidth + 1, kMinHeight + 1, kMinWidth + 1, kMinHeight + 1},
        {12000, kMinHeight - 15, 12000, kMinHeight},
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
        if (c.width >= kMinWidth && c.height >= kMinHeight) {
            for (const auto& call : window.calls) {
                EXPECT_FALSE(call.starts_with("Width") || call.starts_with("Height")) << call;
            }
        }
    }
}

TEST_F(WindowLayoutTest, NestedLayoutsEndAlike) {
    Drag(1000, 1000);
    // The outer run sets the width, whose event runs a layout that sets the height,
    // whose event runs a third. Each reads the window afresh.
    EXPECT_EQ(window.resizeEvents, 2);
    EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "BrowserSize 5925 200"), 3);
    EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "NotesWidth 0"), 3);
}

TEST_F(WindowLayoutTest, AnyStateIsTurnedBackToNormalAtTheSameSize) {
    window.rect = {300, 400, 9000, 7000};
    window.SetState(kWindowMinimized);
    EXPECT_EQ(window.state, kWindowNormal);
    EXPECT_EQ(window.rect, (WindowRect{300, 400, 9000, 7000}));
}

TEST_F(WindowLayoutTest, PlatformThatRefusesTheMinimumDoesNotLoopForever) {
    window.resizeEventOnEverySet = true;
    window.maxWidth = 5000;
    Drag(4000, 4000);
    EXPECT_EQ(window.rect.width, 5000);
    EXPECT_LT(window.resizeEvents, 1000);
    EXPECT_EQ(window.browserWidth, 4900);
}

TEST_F(WindowLayoutTest, MinimizeAndCompactPlacementShrinkAndDock) {
    window.onResize = nullptr;
    window.rect = {100, 200, 15000, 9000};
    layout.PlaceCompactBottomRight();
    const Calls compact = {"Width 6025", "Height 2925", "Top 8275", "Left 13175"};
    EXPECT_EQ(window.calls, compact);
    EXPECT_TRUE(window.visible);

    window.calls.clear();
    layout.MinimizeToTray();
    Calls minimize = compact;
    minimize.insert(minimize.end(), {"Visible 0", "State 1"});
    EXPECT_EQ(window.calls, minimize);
    EXPECT_EQ(window.rect, (WindowRect{13175, 8275, kMinWidth, kMinHeight}));
    EXPECT_EQ(window.state, kWindowMinimized);
}

TEST_F(WindowLayoutTest, MaximizeFillsTheScreenButItsBottomAndLeavesTheState) {
    window.onResize = nullptr;
    window.state = kWindowMinimized;
    layout.Maximize();
    EXPECT_EQ(window.calls, (Calls{"Top 0", "Left 0", "Width 19200", "Height 11600"}));
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
        // Taller than the screen less 800, or wider than the screen: off the top or left.
        {{0, 0, 25000, 12500}, -1300, -5800},
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
