#include "form/CommonDialog.h"

#include <gtest/gtest.h>

#include "FakeFileDialog.h"

namespace datrelle {
namespace {

using fakes::FakeFileDialog;

TEST(CommonDialogTest, PropertiesReachTheDialogAndOutliveEachUse) {
    FakeFileDialog fake;
    CommonDialog dialog{fake};
    dialog.DialogTitle = "Pick";
    dialog.Filter = "Text|*.txt";
    dialog.InitDir = "C:\\Notes\\a.txt";
    fake.Choose("C:\\Notes\\b.txt");
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName, "C:\\Notes\\b.txt");

    // A second use that sets nothing shows what the first one left, the chosen name
    // included.
    fake.Choose("C:\\Notes\\c.txt");
    dialog.ShowOpen();
    ASSERT_EQ(fake.requests.size(), 2u);
    for (const auto& request : fake.requests) {
        EXPECT_EQ(request.title, "Pick");
        EXPECT_EQ(request.filter, "Text|*.txt");
        EXPECT_EQ(request.initialFolder, "C:\\Notes\\a.txt");
    }
    EXPECT_EQ(fake.requests[0].fileName, "");
    EXPECT_EQ(fake.requests[1].fileName, "C:\\Notes\\b.txt");
    EXPECT_EQ(dialog.FileName, "C:\\Notes\\c.txt");
    EXPECT_EQ(dialog.InitDir, "C:\\Notes\\a.txt");
}

TEST(CommonDialogTest, CancelLeavesFileNameEmptyAfterAnEarlierChoice) {
    FakeFileDialog fake;
    CommonDialog dialog{fake};
    fake.Choose("C:\\Notes\\a.txt");
    fake.Cancel();
    dialog.ShowOpen();
    dialog.ShowOpen();
    EXPECT_EQ(fake.requests.back().fileName, "C:\\Notes\\a.txt");
    EXPECT_EQ(dialog.FileName, "");
}

}  // namespace
}  // namespace datrelle
