#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/NotesBox.h"
#include "platform/Window.h"

// Small stand-ins for the window and the notes box, for the panels' tests only: the
// window keeps its visibility, state and caption and logs each change in order.

namespace datrelle::viewertest {

class RecordingWindow : public Window {
  public:
    WindowRect Rect() const override { return {}; }
    void SetLeft(float) override {}
    void SetTop(float) override {}
    void SetWidth(float) override {}
    void SetHeight(float) override {}

    bool Visible() const override { return visible; }
    void SetVisible(bool value) override {
        visible = value;
        log.push_back(value ? "show" : "hide");
    }
    int State() const override { return state; }
    void SetState(int value) override {
        state = value;
        log.push_back("state " + std::to_string(value));
    }
    void SetCaption(std::string_view text) override {
        caption = text;
        log.push_back("caption");
    }

    ScreenSize Screen() const override { return {}; }
    bool OnSomeMonitor(const WindowRect&) const override { return true; }
    void SetNotesWidth(float) override {}
    void SetBrowserSize(float, float) override {}
    void ShowPopupMenu() override {}
    void Close() override {}

    bool visible = true;
    int state = kWindowNormal;
    std::string caption = "Datrelle";
    std::vector<std::string> log;
};

class MemoryNotesBox : public NotesBox {
  public:
    std::string Text() const override { return text; }
    void SetText(std::string_view value) override { text = value; }

    std::string text = "... Double-Click to load text file ...\r\n";
};

}  // namespace datrelle::viewertest
