#include "viewer/WindowLayout.h"

#include "form/Inventory.h"

namespace datrelle {
namespace {

// Resize events raised by the layout's own changes run the layout again, inside it:
// the outer run and at most three nested ones (state, width, height). A platform
// that reported a resize for every change, made or not, would otherwise recurse
// without end; the runs outside finish the job, since every step reads the window
// afresh.
constexpr int kMaxNestedLayouts = 4;

constexpr float kDockGapBottom = 800;
constexpr float kMaximizeGapBottom = 400;

// Counts one level of nesting for as long as it lives, however the layout is left.
class NestingLevel {
  public:
    explicit NestingLevel(int& depth) : depth_(depth) { ++depth_; }
    ~NestingLevel() { --depth_; }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;

  private:
    int& depth_;
};

float NotesLeft() {
    return static_cast<float>(ClientPlace(Entry(ControlId::Text1)).left);
}

float BrowserTop() {
    return static_cast<float>(ClientPlace(Entry(ControlId::WebBrowser1)).top);
}

}  // namespace

float MinimumWindowWidth() {
    return NotesLeft() + 100;
}

float MinimumWindowHeight() {
    return BrowserTop() + 300;
}

void WindowLayout::OnResize() {
    if (depth_ >= kMaxNestedLayouts) {
        return;
    }
    const NestingLevel level(depth_);
    // Each step reads the window again: the steps before, and the layouts they raised,
    // may have changed it.
    window_.SetState(kWindowNormal);
    if (MinimumWindowWidth() > window_.Rect().width) {
        window_.SetWidth(MinimumWindowWidth());
    }
    if (MinimumWindowHeight() > window_.Rect().height) {
        window_.SetHeight(MinimumWindowHeight());
    }
    window_.SetState(kWindowNormal);
    const float width = window_.Rect().width;
    const float height = window_.Rect().height;
    window_.SetBrowserSize(width - 100, height - BrowserTop() - 100);
    window_.SetNotesWidth(window_.Rect().width - NotesLeft() - 100);
}

void WindowLayout::PlaceCompactBottomRight() {
    window_.SetWidth(MinimumWindowWidth());
    window_.SetHeight(MinimumWindowHeight());
    const ScreenSize screen = window_.Screen();
    window_.SetTop(screen.height - window_.Rect().height - kDockGapBottom);
    window_.SetLeft(screen.width - window_.Rect().width);
}

void WindowLayout::MinimizeToTray() {
    PlaceCompactBottomRight();
    window_.SetVisible(false);
    window_.SetState(kWindowMinimized);
}

void WindowLayout::Maximize() {
    const ScreenSize screen = window_.Screen();
    window_.SetTop(0);
    window_.SetLeft(0);
    window_.SetWidth(screen.width);
    window_.SetHeight(screen.height - kMaximizeGapBottom);
}

void WindowLayout::Dock() {
    const ScreenSize screen = window_.Screen();
    window_.SetTop(screen.height - window_.Rect().height - kDockGapBottom);
    window_.SetLeft(screen.width - window_.Rect().width);
}

}  // namespace datrelle
