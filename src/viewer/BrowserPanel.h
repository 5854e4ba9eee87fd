#pragma once

#include <string_view>

#include "form/CommonDialog.h"
#include "form/Form.h"
#include "platform/Browser.h"
#include "platform/Window.h"

// The web browser panel WebBrowser1 and the commands that drive it: "Search the Web",
// "Default Site", "Open File" (button and tray menu), the title label's double click,
// and the caption that shows the address of the page being shown.

namespace datrelle {

// The page a run starts with when the settings hold no address: a weather
// information site.
inline constexpr std::string_view kDefaultStartPage = "https://worldweather.wmo.int/en/home.html";
// The maker's home page, opened by a double click on the title label.
inline constexpr std::string_view kMakerHomePage = "https://www.tavrin.example/";

inline constexpr std::string_view kOpenFileTitle = "Open File in browser";
inline constexpr std::string_view kOpenFileFilter =
    "Web Files|*.htm;*.html;*.pdf|Images and Pictures|*.bmp;*.jpg;*.gif;*.png|"
    "Media Files|*.avi;*.wmv;*.mp3;*.wav;*.mpg|All Files|*.*";

// What start-up shows first: the page of the end of the previous run, or the default
// start page on a first run.
std::string_view FirstPage(std::string_view lastUrl);

class BrowserPanel {
  public:
    BrowserPanel(Browser& browser, Window& window, CommonDialog& dialog, Form& form,
                 const SharedVariables& vars)
        : browser_(browser), window_(window), dialog_(dialog), form_(form), vars_(vars) {}

    // Command2 "Search the Web".
    void OnCommand2Click();
    // Command4 "Default Site": the page of the end of the previous run, if there was one.
    void OnCommand4Click();
    // Command7 "Open File": a file chosen in the shared dialog is shown in the panel,
    // and a hidden window comes back, whether or not a file was chosen.
    void OnCommand7Click();
    // The tray menu's "Open File" presses Command7.
    void OnMnuOpenFileInBrowserClick();
    // Double click on Label1: the maker's home page, then "Ma&ximize" pressed.
    void OnLabel1DblClick();
    // The browser's title-change notification: the caption shows the address, not the
    // title.
    void OnTitleChange(std::string_view title);

  private:
    Browser& browser_;
    Window& window_;
    CommonDialog& dialog_;
    Form& form_;
    const SharedVariables& vars_;
};

}  // namespace datrelle
