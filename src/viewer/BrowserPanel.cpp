#include "viewer/BrowserPanel.h"

namespace datrelle {

std::string_view FirstPage(std::string_view lastUrl) {
    return lastUrl.empty() ? kDefaultStartPage : lastUrl;
}

void BrowserPanel::OnCommand2Click() {
    browser_.GoSearch();
}

void BrowserPanel::OnCommand4Click() {
    // LastURL is fixed for the run, so this returns to where the previous run ended,
    // however far the user has browsed since; on a first run there is nowhere to go.
    if (!vars_.LastURL.empty()) {
        browser_.Navigate(vars_.LastURL);
    }
}

void BrowserPanel::OnCommand7Click() {
    // Only the title and the filter are set: the starting folder and the name field
    // are whatever the dialog's last use left there.
    dialog_.DialogTitle = kOpenFileTitle;
    dialog_.Filter = kOpenFileFilter;
    dialog_.ShowOpen();
    if (!dialog_.FileName.empty()) {
        browser_.Navigate(dialog_.FileName);
    }
    // Chosen from the tray menu, the window may be hidden; it comes back in any case,
    // so the user sees either the file or the page that was there.
    if (!window_.Visible()) {
        window_.SetVisible(true);
        window_.SetState(kWindowNormal);
    }
}

void BrowserPanel::OnMnuOpenFileInBrowserClick() {
    form_.Command7.Press();
}

void BrowserPanel::OnLabel1DblClick() {
    // Navigation starts first, so the page loads into the panel as it grows.
    browser_.Navigate(kMakerHomePage);
    form_.Command6.Press();
}

void BrowserPanel::OnTitleChange(std::string_view /*title*/) {
    window_.SetCaption(browser_.LocationURL());
}

}  // namespace datrelle
