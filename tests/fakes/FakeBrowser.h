#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Browser.h"

namespace datrelle::fakes {

// A browser that shows every address it is asked for at once. The search page has
// its own address, so a test can tell it from a navigation.
class FakeBrowser : public Browser {
  public:
    static constexpr std::string_view kSearchPage = "about:search";

    void Navigate(std::string_view address) override {
        navigations.emplace_back(address);
        location = address;
    }
    void GoSearch() override {
        ++searches;
        location = kSearchPage;
    }
    std::string LocationURL() const override { return location; }

    std::vector<std::string> navigations;
    int searches = 0;
    std::string location;
};

}  // namespace datrelle::fakes
