// The embedded browser control in-process. Wine hosts and navigates it but has no
// engine to render pages.

#include "win32/BrowserHost.h"

#include <gtest/gtest.h>

#include <exdispid.h>

#include <fstream>
#include <vector>

#include "RunningProgram.h"
#include "win32/OleScope.h"
#include "win32/WindowClasses.h"

namespace datrelle::win32 {
namespace {

using testing::WaitUntil;

// Waits as the program's message loop would, handling the control's messages meanwhile.
template <typename Condition>
bool PumpUntil(Condition condition) {
    return WaitUntil([&condition] {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return condition();
    });
}

class BrowserHostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(ole.Initialized());
        sitesBefore = BrowserSite::LiveCount();
        ASSERT_TRUE(RegisterBrowserHostClass(GetModuleHandleA(nullptr)));
        parent = CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                 800, 600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
        hostWindow = CreateWindowExA(0, kBrowserHostClass, "", WS_CHILD | WS_VISIBLE, 10, 10, 400,
                                     300, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(hostWindow, nullptr);
    }
    void TearDown() override {
        if (parent != nullptr) {
            DestroyWindow(parent);
        }
        EXPECT_EQ(SitesAlive(), 0) << "a site reference was never released";
    }

    // Sites made by this test that are still referenced.
    long SitesAlive() const { return BrowserSite::LiveCount() - sitesBefore; }

    OleScope ole;
    HWND parent = nullptr;
    HWND hostWindow = nullptr;
    long sitesBefore = 0;
};

TEST_F(BrowserHostTest, NavigatesReportsTheAddressAndLetsGoWithItsWindow) {
    BrowserHost host;
    ASSERT_TRUE(host.Attach(hostWindow));
    EXPECT_EQ(SitesAlive(), 1);
    // The control fills its window and follows its size.
    const HWND control = GetWindow(hostWindow, GW_CHILD);
    ASSERT_NE(control, nullptr) << "the control made no window of its own";
    ASSERT_TRUE(SetWindowPos(hostWindow, nullptr, 0, 0, 520, 180, SWP_NOMOVE | SWP_NOZORDER));
    RECT area{};
    GetWindowRect(control, &area);
    EXPECT_EQ(area.right - area.left, 520);
    EXPECT_EQ(area.bottom - area.top, 180);

    const std::string folder = testing::MakeTempFolder();
    const std::string page = folder + "\\page.htm";
    std::ofstream(page) << "<html><head><title>A page</title></head><body>text</body></html>";
    host.Navigate(page);
    EXPECT_TRUE(PumpUntil([&] { return host.LocationURL().ends_with("page.htm"); }))
        << host.LocationURL();
    testing::RemoveFolder(folder);

    DestroyWindow(parent);
    parent = nullptr;
    EXPECT_FALSE(host.Attached());
    EXPECT_EQ(SitesAlive(), 0);
    // Calls after that do nothing, and say so.
    host.Navigate("about:blank");
    host.GoSearch();
    EXPECT_EQ(host.LocationURL(), "");
}

TEST_F(BrowserHostTest, DestroyedBeforeItsWindowLeavesTheWindowUsable) {
    {
        BrowserHost host;
        ASSERT_TRUE(host.Attach(hostWindow));
        EXPECT_FALSE(host.Attach(hostWindow)) << "one control per host";
    }
    EXPECT_EQ(SitesAlive(), 0);
    EXPECT_EQ(GetWindow(hostWindow, GW_CHILD), nullptr);
    // The window no longer knows the host: resizing it reaches nothing that is gone.
    EXPECT_TRUE(SetWindowPos(hostWindow, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER));
}

// Wine never raises the title change, so the event sink is called here as the control
// would call it: the caption follows the browser through this path alone.
TEST(BrowserSiteTest, TitleChangeReachesTheHandler) {
    const long sitesBefore = BrowserSite::LiveCount();
    Microsoft::WRL::ComPtr<BrowserSite> site = BrowserSite::Create(nullptr);
    ASSERT_TRUE(site);
    std::vector<std::string> titles;
    site->SetTitleHandler([&titles](const std::string& title) { titles.push_back(title); });
    IDispatch* events = nullptr;
    ASSERT_EQ(site->QueryInterface(DIID_DWebBrowserEvents2, reinterpret_cast<void**>(&events)),
              S_OK);
    const auto fire = [events](DISPID id, const wchar_t* title) {
        VARIANT argument;
        VariantInit(&argument);
        argument.vt = VT_BSTR;
        argument.bstrVal = SysAllocString(title);
        DISPPARAMS params{&argument, nullptr, 1, 0};
        const HRESULT result =
            events->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
        VariantClear(&argument);
        return result;
    };
    EXPECT_EQ(fire(DISPID_TITLECHANGE, L"A page"), S_OK);
    EXPECT_EQ(fire(DISPID_DOCUMENTCOMPLETE, L"not a title"), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(titles, std::vector<std::string>{"A page"});
    EXPECT_EQ(events->Release(), 1u);
    EXPECT_EQ(site.Reset(), 0u);
    EXPECT_EQ(BrowserSite::LiveCount(), sitesBefore);
}

}  // namespace
}  // namespace datrelle::win32
