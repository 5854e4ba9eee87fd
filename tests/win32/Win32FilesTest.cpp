// The file operations on real files in a temporary folder.

#include "win32/Win32Files.h"

#include <gtest/gtest.h>

#include <algorithm>
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
        const UniqueHandle file{Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS)};
        EXPECT_TRUE(file);
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()),
                              &written, nullptr));
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
        WIN32_FIND_DATAA data;
        const HANDLE search = FindFirstFileA(Path("*").c_str(), &data);
        if (search == INVALID_HANDLE_VALUE) {
            return names;
        }
        do {
            const std::string name = data.cFileName;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        } while (FindNextFileA(search, &data));
        FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string folder = testing::MakeTempFolder();
    Win32Files files;
};

TEST_F(Win32FilesTest, OnlyOrdinaryFilesExist) {
    const std::string ordinary = Create("notes.txt", "x");
    const std::string readOnly = Create("readonly.txt", "x", FILE_ATTRIBUTE_READONLY);
    const std::string archive = Create("archive.txt", "x", FILE_ATTRIBUTE_ARCHIVE);
    const std::string hidden = Create("hidden.txt", "x", FILE_ATTRIBUTE_HIDDEN);
    const std::string system = Create("system.txt", "x", FILE_ATTRIBUTE_SYSTEM);
    const std::string subfolder = CreateFolder("folder.txt");

    EXPECT_TRUE(files.IsOrdinaryFile(ordinary));
    EXPECT_TRUE(files.IsOrdinaryFile(readOnly));
    EXPECT_TRUE(files.IsOrdinaryFile(archive));
    EXPECT_TRUE(files.IsOrdinaryFile(Path("NOTES.TXT")));
    EXPECT_FALSE(files.IsOrdinaryFile(hidden));
    EXPECT_FALSE(files.IsOrdinaryFile(system));
    EXPECT_FALSE(files.IsOrdinaryFile(subfolder));
    EXPECT_FALSE(files.IsOrdinaryFile(folder));
    EXPECT_FALSE(files.IsOrdinaryFile(Path("missing.txt")));
    EXPECT_FALSE(files.IsOrdinaryFile(""));
    // Exactly the name given: a pattern that an ordinary file matches is not that file.
    EXPECT_FALSE(files.IsOrdinaryFile(Path("*.txt")));
    EXPECT_FALSE(files.IsOrdinaryFile(Path("note?.txt")));
    EXPECT_FALSE(files.IsOrdinaryFile(Path("notes<")));
    EXPECT_FALSE(files.IsOrdinaryFile(ordinary + "\0.hidden"s));
}

TEST_F(Win32FilesTest, FindFirstSkipsFoldersHiddenAndSystemFiles) {
    EXPECT_EQ(files.FindFirst(Path("*.txt")), std::nullopt);
    CreateFolder("a.txt");
    Create("b.txt", "", FILE_ATTRIBUTE_HIDDEN);
    Create("c.txt", "", FILE_ATTRIBUTE_SYSTEM);
    Create("e.dat", "");
    EXPECT_EQ(files.FindFirst(Path("*.txt")), std::nullopt);
    Create("d.txt", "");
    EXPECT_EQ(files.FindFirst(Path("*.txt")), "d.txt");
    EXPECT_EQ(files.FindFirst(Path("missing\\*.txt")), std::nullopt);
}

TEST_F(Win32FilesTest, ReadAllGivesEveryByte) {
    std::string bytes = "line\r\nlone\nfeed\rcarriage\0nul\x1A\xFF"s;
    for (int i = 0; i < 200000; ++i) {
        bytes += static_cast<char>(i * 7);
    }
    EXPECT_EQ(files.ReadAll(Create("bytes.bin", bytes)), bytes);
    EXPECT_EQ(files.ReadAll(Create("empty.txt", "")), "");
    EXPECT_EQ(files.ReadAll(Create("hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN)), "h");
    EXPECT_EQ(files.ReadAll(Path("missing.txt")), std::nullopt);
    EXPECT_EQ(files.ReadAll(CreateFolder("folder")), std::nullopt);
}

TEST_F(Win32FilesTest, ReadAllOfAFileHeldWithoutSharingFailsCleanly) {
    const std::string path = Create("locked.txt", "locked");
    {
        const UniqueHandle holder{Open(path, GENERIC_READ, 0, OPEN_EXISTING)};
        ASSERT_TRUE(holder);
        EXPECT_EQ(files.ReadAll(path), std::nullopt);
    }
    EXPECT_EQ(files.ReadAll(path), "locked");
    // A program that writes the file but shares it for reading does not stop us.
    const UniqueHandle writer{Open(path, GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING)};
    ASSERT_TRUE(writer);
    EXPECT_EQ(files.ReadAll(path), "locked");
}

TEST_F(Win32FilesTest, ReplaceContentCreatesAndReplacesLeavingNoTemporary) {
    const std::string path = Path("notes.txt");
    EXPECT_TRUE(files.ReplaceContent(path, "first version, rather long\r\n"));
    EXPECT_EQ(files.ReadAll(path), "first version, rather long\r\n");
    EXPECT_TRUE(files.ReplaceContent(path, "short"));
    EXPECT_EQ(files.ReadAll(path), "short");
    EXPECT_TRUE(files.ReplaceContent(path, ""));
    EXPECT_EQ(files.ReadAll(path), "");
    const std::string large(3'000'000, 'L');
    EXPECT_TRUE(files.ReplaceContent(path, large));
    EXPECT_EQ(files.ReadAll(path), large);
    EXPECT_EQ(Entries(), std::vector<std::string>{"notes.txt"});
}

TEST_F(Win32FilesTest, ReplaceContentOfALockedFileKeepsTheOldContent) {
    const std::string path = Create("notes.txt", "old");
    {
        // Open without FILE_SHARE_DELETE: the file cannot be replaced while it is held.
        const UniqueHandle holder{Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING)};
        ASSERT_TRUE(holder);
        EXPECT_FALSE(files.ReplaceContent(path, "new"));
    }
    EXPECT_EQ(files.ReadAll(path), "old");
    EXPECT_EQ(Entries(), std::vector<std::string>{"notes.txt"});
    EXPECT_TRUE(files.ReplaceContent(path, "new"));
    EXPECT_EQ(files.ReadAll(path), "new");
}

TEST_F(Win32FilesTest, ReplaceContentFailsWhereNoFileCanBe) {
    EXPECT_FALSE(files.ReplaceContent(Path("missing\\notes.txt"), "x"));
    const std::string subfolder = CreateFolder("folder");
    EXPECT_FALSE(files.ReplaceContent(subfolder, "x"));
    EXPECT_FALSE(files.ReplaceContent("", "x"));
    EXPECT_EQ(Entries(), std::vector<std::string>{"folder"});
}

}  // namespace
}  // namespace datrelle::win32
