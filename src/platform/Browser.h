#pragma once

#include <string>
#include <string_view>

namespace datrelle {

// The web browser panel WebBrowser1. Its title-change notification reaches the logic
// as App::OnBrowserTitleChange.
class Browser {
  public:
    virtual ~Browser() = default;

    // Shows the page at a web address or the file at a full path. No result: a page
    // that cannot be shown is the browser's own business.
    virtual void Navigate(std::string_view address) = 0;
    // Shows the browser's search page.
    virtual void GoSearch() = 0;
    // The address of the page being shown ("" when none).
    virtual std::string LocationURL() const = 0;
};

}  // namespace datrelle
