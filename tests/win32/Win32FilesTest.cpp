// The file operations on real files in a temporary folder.

#include "win32/Win32Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RunningProgram.h"
#include "win32/Unique.h"

namespace datrelle::win32 {
namespace {

using namespace std::string_literals;

class Win32FilesTest : public ::testing::Test {
  protected:
    void TearDown() override { testing::RemoveFolder(folder); }

    std::string Path(const std::string& name) const { return folder + "\\" + name; }

    std::string Create(const std::string& name, const std::string& content,
                       DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << content;
        EXPECT_TRUE(SetFileAttributesA(path.c_str(), attributes));
        return path;
    }

    std::string CreateFolder(const std::string& name) {
        const std::string path = Path(name);
        EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
        return path;
    }

    // Another program's handle on a file; null when it could not be opened.
    static HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD creation) {
        const HANDLE file = CreateFileA(path.c_str(), access, share, nullptr, creation,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        return file == INVALID_HANDLE_VALUE ? nullptr : file;
    }

    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string folder = testing::MakeTempFolder();
    Win32Files files;
};

TEST_F(Win32FilesTest, OnlyOrdinaryFilesExistAndAreFound) {
    const std::string ordinary = Create("notes.txt", "x", FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(files.IsOrdinaryFile(ordinary));
    EXPECT_TRUE(files.IsOrdinaryFile(Path("NOTES.TXT")));
    for (const std::string& path :
         {Create("hidden.txt", "x", FILE_ATTRIBUTE_HIDDEN),
          Create("system.txt", "x", FILE_ATTRIBUTE_SYSTEM), CreateFolder("folder.txt"),
          Path("missing.txt"), std::string(),
          // Exactly the name given: a pattern that an ordinary file matches is not that file.
          Path("*.txt"), Path("note?.txt"), ordinary + "\0.hidden"s}) {
        EXPECT_FALSE(files.IsOrdinaryFile(path)) << path;
    }
    EXPECT_EQ(files.FindFirst(Path("*.txt")), "notes.txt");
    SetFileAttributesA(ordinary.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(ordinary.c_str());
    EXPECT_EQ(files.FindFirst(Path("*.txt")), std::nullopt) << "folders, hidden and system skipped";
}

TEST_F(Win32FilesTest, ReadAllGivesEveryByteUnlessTheFileIsHeld) {
    std::string bytes = "line\r\nlone\nfeed\rcarriage\0nul\x1A\xFF"s;
    for (int i = 0; i < 200000; ++i) {
        bytes += static_cast<char>(i * 7);
    }
    EXPECT_EQ(files.ReadAll(Create("bytes.bin", bytes)), bytes);
    EXPECT_EQ(files.ReadAll(Path("missing.txt")), std::nullopt);
    EXPECT_EQ(files.ReadAll(CreateFolder("folder")), std::nullopt);

    const std::string path = Create("locked.txt", "locked");
    {
        const UniqueHandle holder{Open(path, GENERIC_READ, 0, OPEN_EXISTING)};
        ASSERT_TRUE(holder);
        EXPECT_EQ(files.ReadAll(path), std::nullopt);
    }
    // A program that writes the file but shares it for reading does not stop us.
    const UniqueHandle writer{Open(path, GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING)};
    ASSERT_TRUE(writer);
    EXPECT_EQ(files.ReadAll(path), "locked");
}

TEST_F(Win32FilesTest, ReplaceContentCreatesAndReplacesLeavingNoTemporary) {
    const std::string path = Path("notes.txt");
    EXPECT_TRUE(files.ReplaceContent(path, "first version, rather long\r\n"));
    EXPECT_TRUE(files.ReplaceContent(path, "short"));
    EXPECT_EQ(files.ReadAll(path), "short");
    EXPECT_FALSE(files.ReplaceContent(Path("missing\\notes.txt"), "x"));
    EXPECT_FALSE(files.ReplaceContent(CreateFolder("folder"), "x"));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"folder", "notes.txt"}));
}

TEST_F(Win32FilesTest, ReplaceContentOfAFileHeldOpenByAnother) {
    // Neither holder lets the file be replaced by another file (no FILE_SHARE_DELETE);
    // only the second lets it be written.
    const struct {
        const char* name;
        DWORD share;
        bool saved;
    } cases[] = {
        {"others may read", FILE_SHARE_READ, false},
        {"others may read and write", FILE_SHARE_READ | FILE_SHARE_WRITE, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Create("notes.txt", "old");
        {
            const UniqueHandle holder{Open(path, GENERIC_READ, c.share, OPEN_EXISTING)};
            ASSERT_TRUE(holder);
            EXPECT_EQ(files.ReplaceContent(path, "new"), c.saved);
        }
        EXPECT_EQ(files.ReadAll(path), c.saved ? "new" : "old");
        EXPECT_EQ(Entries(), std::vector<std::string>{"notes.txt"});
    }
}

}  // namespace
}  // namespace datrelle::win32
