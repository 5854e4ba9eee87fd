// The embedded browser control in-process. Wine hosts and navigates it but has no
// engine to render pages, and never reports a title change, so the title path is
// tested on the site directly.

#include "win32/BrowserHost.h"

#include <gtest/gtest.h>

#include <exdisp.h>
#include <exdispid.h>

#include <fstream>

#include "RunningProgram.h"
#include "win32/BrowserEmulation.h"
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

TEST_F(BrowserHostTest, NavigatesAndReportsTheAddress) {
    BrowserHost host;
    ASSERT_TRUE(host.Attach(hostWindow));
    EXPECT_TRUE(host.Attached());
    EXPECT_EQ(SitesAlive(), 1);

    host.Navigate("about:blank");
    EXPECT_TRUE(PumpUntil([&] { return host.LocationURL() == "about:blank"; }))
        << host.LocationURL();

    const std::string folder = testing::MakeTempFolder();
    const std::string page = folder + "\\page.htm";
    std::ofstream(page) << "<html><head><title>A page</title></head><body>text</body></html>";
    host.Navigate(page);
    EXPECT_TRUE(PumpUntil([&] {
        const std::string location = host.LocationURL();
        return location != "about:blank" && location.ends_with("page.htm");
    })) << host.LocationURL();

    // The address reported for the file leads back to it, as "Default Site" does with
    // the address saved at the end of a run.
    const std::string reported = host.LocationURL();
    host.Navigate("about:blank");
    EXPECT_TRUE(PumpUntil([&] { return host.LocationURL() == "about:blank"; }));
    host.Navigate(reported);
    EXPECT_TRUE(PumpUntil([&] { return host.LocationURL() == reported; })) << host.LocationURL();
    testing::RemoveFolder(folder);
}

TEST_F(BrowserHostTest, FillsItsWindowAndFollowsItsSize) {
    BrowserHost host;
    ASSERT_TRUE(host.Attach(hostWindow));
    const HWND control = GetWindow(hostWindow, GW_CHILD);
    ASSERT_NE(control, nullptr) << "the control made no window of its own";
    const auto clientSize = [](HWND window) {
        RECT area{};
        GetClientRect(window, &area);
        return std::pair{area.right, area.bottom};
    };
    const auto windowSize = [](HWND window) {
        RECT area{};
        GetWindowRect(window, &area);
        return std::pair{area.right - area.left, area.bottom - area.top};
    };
    EXPECT_EQ(windowSize(control), clientSize(hostWindow));
    ASSERT_TRUE(SetWindowPos(hostWindow, nullptr, 0, 0, 520, 180, SWP_NOMOVE | SWP_NOZORDER));
    EXPECT_EQ(windowSize(control), (std::pair<LONG, LONG>{520, 180}));
}

TEST_F(BrowserHostTest, HostWindowGoingAwayReleasesTheControl) {
    BrowserHost host;
    ASSERT_TRUE(host.Attach(hostWindow));
    host.Navigate("about:blank");
    PumpUntil([&] { return host.LocationURL() == "about:blank"; });
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
        host.onTitleChange = [](const std::string&) {};
    }
    EXPECT_EQ(SitesAlive(), 0);
    EXPECT_EQ(GetWindow(hostWindow, GW_CHILD), nullptr);
    // The window no longer knows the host: resizing it reaches nothing that is gone.
    EXPECT_TRUE(SetWindowPos(hostWindow, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER));
}

TEST_F(BrowserHostTest, OneControlPerHostAndNoneWithoutAWindow) {
    BrowserHost host;
    EXPECT_FALSE(host.Attach(nullptr));
    EXPECT_FALSE(host.Attached());
    EXPECT_EQ(host.LocationURL(), "");
    ASSERT_TRUE(host.Attach(hostWindow));
    EXPECT_FALSE(host.Attach(hostWindow));
    EXPECT_TRUE(host.Attached());
    EXPECT_EQ(SitesAlive(), 1);
}

// The event sink, as the control calls it when a document's title changes.
TEST(BrowserSiteTest, TitleChangeReachesTheHandlerInTheAnsiCodePage) {
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
    EXPECT_EQ(fire(DISPID_TITLECHANGE, L"Caf\u00e9 page"), S_OK);
    EXPECT_EQ(fire(DISPID_DOCUMENTCOMPLETE, L"not a title"), DISP_E_MEMBERNOTFOUND);
    ASSERT_EQ(titles.size(), 1u);
    if (GetACP() == 1252) {
        EXPECT_EQ(titles[0], "Caf\xe9 page");
    } else {
        EXPECT_TRUE(titles[0].starts_with("Caf")) << titles[0];
    }

    // Detached, it still answers but calls nobody.
    site->Detach();
    EXPECT_EQ(fire(DISPID_TITLECHANGE, L"late"), S_OK);
    EXPECT_EQ(titles.size(), 1u);

    IUnknown* unknown = nullptr;
    EXPECT_EQ(site->QueryInterface(IID_IStream, reinterpret_cast<void**>(&unknown)), E_NOINTERFACE);
    EXPECT_EQ(unknown, nullptr);
    EXPECT_EQ(events->Release(), 1u);
    EXPECT_EQ(site.Reset(), 0u);
    EXPECT_EQ(BrowserSite::LiveCount(), sitesBefore);
}

TEST(BrowserEmulationTest, ValueNamedAfterTheExecutable) {
    ASSERT_TRUE(SetBrowserEmulation());
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    ASSERT_GT(length, 0u);
    const std::string exePath(path, length);
    const std::string exeName = exePath.substr(exePath.find_last_of('\\') + 1);
    DWORD mode = 0;
    DWORD size = sizeof mode;
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER,
                           "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\"
                           "FEATURE_BROWSER_EMULATION",
                           exeName.c_str(), RRF_RT_REG_DWORD, nullptr, &mode, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(mode, 11001u);
}

}  // namespace
}  // namespace datrelle::win32
