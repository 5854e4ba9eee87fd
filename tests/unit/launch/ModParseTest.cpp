#include "launch/ModParse.h"

#include <gtest/gtest.h>

namespace datrelle {
namespace {

TEST(ModParseTest, FileNameAndFolderPart) {
    struct Case {
        const char* path;
        const char* fileName;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\Tools\\app.exe", "app.exe", "C:\\Tools\\"},
        {"C:\\app.exe", "app.exe", "C:\\"},
        // The last character is always taken, even a backslash.
        {"C:\\Tools\\", "Tools\\", "C:\\"},
        {"C:\\My Files\\Letters\\a b.doc", "a b.doc", "C:\\My Files\\Letters\\"},
        {"\\\\server\\share\\x.exe", "x.exe", "\\\\server\\share\\"},
        // No backslash before the last character: a bare name, with no folder.
        {"app.exe", "app.exe", ""},
        {"app\\", "app\\", ""},
        {"\\", "\\", ""},
        {"a", "a", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(GetFileName(c.path), c.fileName);
        EXPECT_EQ(FolderPart(c.path), c.folder);
    }
}

}  // namespace
}  // namespace datrelle
