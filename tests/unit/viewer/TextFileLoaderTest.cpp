#include "viewer/TextFileLoader.h"

#include <gtest/gtest.h>

#include <chrono>

#include "FakeFiles.h"

namespace datrelle {
namespace {

using fakes::FakeFiles;

constexpr const char* kNotes = "C:\\Notes\\notes.txt";
constexpr const char* kEarlier = "C:\\Notes\\earlier.txt";

TEST(TextFileLoaderTest, LinesEndAtCrOrCrLfAndAreJoinedWithCrLf) {
    using namespace std::string_literals;
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"leading empty lines are lost", "\r\n\r\nabc\r\ndef\r\n", "abc\r\ndef"},
        {"an empty middle line stays", "a\r\n\r\nb", "a\r\n\r\nb"},
        {"an empty last line stays", "a\r\n\r\n", "a\r\n"},
        {"trailing empty lines each keep a line end", "a\r\n\r\n\r\n", "a\r\n\r\n"},
        {"no final line end", "abc", "abc"},
        {"final line end dropped", "abc\r\n", "abc"},
        {"only empty lines", "\r\n\r\n\r\n", ""},
        {"a single line end", "\r\n", ""},
        {"a single CR", "\r", ""},
        {"CR alone ends lines", "a\rb\rc\r", "a\r\nb\r\nc"},
        {"CR CR is an empty line", "a\r\rb", "a\r\n\r\nb"},
        {"empty CR lines first", "\r\r\rx", "x"},
        {"LF alone stays in the line", "a\nb\nc\n", "a\nb\nc\n"},
        {"LF before CR LF", "a\n\r\nb", "a\n\r\nb"},
        {"a lone LF makes a line not empty", "\n\r\nb", "\n\r\nb"},
        {"LF after a line end starts the next line", "a\r\n\n", "a\r\n\n"},
        {"LF CR is not a line end pair", "a\n\rb", "a\n\r\nb"},
        {"mixed ends", "a\r\nb\rc\r\n\rd", "a\r\nb\r\nc\r\n\r\nd"},
        {"NUL bytes kept", "a\0b\r\nc"s, "a\0b\r\nc"s},
        {"markup is plain text", "<html>\r\n<body>hi</body>\r\n</html>\r\n",
         "<html>\r\n<body>hi</body>\r\n</html>"},
        {"8-bit characters kept", "caf\xE9\r\n\xA4", "caf\xE9\r\n\xA4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFiles files;
        files.Add(kNotes, c.bytes);
        std::string textFileDir = kEarlier;
        EXPECT_EQ(LoadTextFile(files, kNotes, textFileDir), c.text);
        EXPECT_EQ(textFileDir, kNotes);
    }
}

TEST(TextFileLoaderTest, EmptyFileGivesEmptyTextAndBecomesTheNotesFile) {
    FakeFiles files;
    files.Add(kNotes, "");
    std::string textFileDir = kEarlier;
    const auto text = LoadTextFile(files, kNotes, textFileDir);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, "");
    EXPECT_EQ(textFileDir, kNotes);
}

TEST(TextFileLoaderTest, NothingIsReadWithoutAnOrdinaryFile) {
    struct Case {
        const char* name;
        const char* path;
    };
    FakeFiles files;
    files.Add("C:\\Notes\\hidden.txt", "secret").hidden = true;
    files.Add("C:\\Notes\\system.txt", "system").system = true;
    files.Add("C:\\Notes\\folder.txt").folder = true;
    files.Add(kNotes, "notes");
    const Case cases[] = {
        {"empty path", ""},
        {"missing file", "C:\\Notes\\missing.txt"},
        {"hidden file", "C:\\Notes\\hidden.txt"},
        {"system file", "C:\\Notes\\system.txt"},
        {"folder", "C:\\Notes\\folder.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string textFileDir = kEarlier;
        EXPECT_EQ(LoadTextFile(files, c.path, textFileDir), std::nullopt);
        EXPECT_EQ(textFileDir, kEarlier);
    }
    EXPECT_EQ(files.readCount, 0) << "the existence test comes before any read";
}

TEST(TextFileLoaderTest, FileThatCannotBeReadChangesNothing) {
    FakeFiles files;
    files.Add(kNotes, "locked").unreadable = true;
    std::string textFileDir = kEarlier;
    EXPECT_EQ(LoadTextFile(files, kNotes, textFileDir), std::nullopt);
    EXPECT_EQ(textFileDir, kEarlier);
}

TEST(TextFileLoaderTest, PathMatchesWithoutRegardToCaseAndIsKeptAsGiven) {
    FakeFiles files;
    files.Add(kNotes, "x");
    std::string textFileDir;
    EXPECT_EQ(LoadTextFile(files, "c:\\NOTES\\Notes.TXT", textFileDir), "x");
    EXPECT_EQ(textFileDir, "c:\\NOTES\\Notes.TXT");
}

TEST(TextFileLoaderTest, LargeFileLoadsInLinearTime) {
    // 50 MB of lines ending in CR LF and in CR alone. Copying the text once per line
    // would take hours; one pass takes well under a second.
    const std::string lines = "a line of the notes\r\nshort\r";
    std::string bytes;
    bytes.reserve(50'000'000 + lines.size());
    std::size_t count = 0;
    while (bytes.size() < 50'000'000) {
        bytes += lines;
        ++count;
    }
    FakeFiles files;
    files.Add(kNotes, bytes);
    std::string textFileDir;
    const auto start = std::chrono::steady_clock::now();
    const auto text = LoadTextFile(files, kNotes, textFileDir);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(text.has_value());
    // Every CR alone became CR LF; the last line end is dropped.
    EXPECT_EQ(text->size(), bytes.size() + count - 2);
    EXPECT_EQ(text->substr(0, 29), "a line of the notes\r\nshort\r\na");
    EXPECT_LT(elapsed.count(), 10.0);
}

}  // namespace
}  // namespace datrelle
