#include "launch/AutoStartChooser.h"

#include <gtest/gtest.h>

#include <vector>

#include "FakeFileDialog.h"

namespace datrelle {
namespace {

using fakes::FakeFileDialog;

constexpr const char* kFilter =
    "Progran Files|*.exe|Document Files|*.htm;*.doc;*.xls;*.pdf|Media Files|*.avi;*.wmv;*.mp3;"
    "*.wav;*.mpg|All Files|*.*";

class AutoStartChooserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Command9.onClick = [this] { chooser.OnCommand9Click(); };
        form.Command9.SetEnabled(true);
    }

    FakeFileDialog fileDialog;
    CommonDialog dialog{fileDialog};
    Form form;
    SharedVariables vars;
    AutoStartChooser chooser{dialog, form, vars};
};

TEST_F(AutoStartChooserTest, CheckMarkFollowsTheChoice) {
    struct Case {
        const char* name;
        const char* stored;  // AppToRun before
        bool checkedBefore;
        const char* answer;    // "" = cancelled
        const char* appToRun;  // afterwards
        const char* initDir;   // the dialog's starting point
    };
    const Case cases[] = {
        {"first choice", "", false, "C:\\Tools\\app.exe", "C:\\Tools\\app.exe", "C:\\Earlier"},
        {"new choice", "C:\\Old\\old.exe", true, "C:\\Docs\\a.doc", "C:\\Docs\\a.doc",
         "C:\\Old\\old.exe"},
        {"cancel without a choice", "", true, "", "", "C:\\Earlier"},
        // A choice whose file was not opened this run becomes active again.
        {"cancel with a stored choice", "C:\\Old\\old.exe", false, "", "C:\\Old\\old.exe",
         "C:\\Old\\old.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialog.InitDir = "C:\\Earlier";
        vars.AppToRun = c.stored;
        form.mnuAutoApp.SetChecked(c.checkedBefore);
        fileDialog.Choose(c.answer);
        std::vector<bool> marks;
        form.mnuAutoApp.onShow = [&] { marks.push_back(form.mnuAutoApp.Checked()); };
        const std::size_t uses = fileDialog.requests.size();

        form.Command9.Press();

        ASSERT_EQ(fileDialog.requests.size(), uses + 1);
        const FileDialogRequest& request = fileDialog.requests.back();
        EXPECT_EQ(request.filter, kFilter);
        EXPECT_EQ(request.initialFolder, c.initDir);
        EXPECT_EQ(vars.AppToRun, c.appToRun);
        EXPECT_EQ(form.mnuAutoApp.Checked(), !std::string(c.appToRun).empty());
        // The mark is cleared first, whatever comes after.
        if (c.checkedBefore) {
            ASSERT_FALSE(marks.empty());
            EXPECT_FALSE(marks.front());
        }
        form.mnuAutoApp.onShow = nullptr;
    }
}

TEST_F(AutoStartChooserTest, TitleIsLeftAsAnEarlierUseSetIt) {
    dialog.DialogTitle = "Open File in browser";
    fileDialog.Cancel();
    form.Command9.Press();
    EXPECT_EQ(fileDialog.requests.back().title, "Open File in browser");
}

}  // namespace
}  // namespace datrelle
