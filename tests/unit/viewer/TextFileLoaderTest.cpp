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
        {"empty file", "", ""},
        {"leading empty lines are lost", "\r\n\r\nabc\r\ndef\r\n", "abc\r\ndef"},
        {"an empty middle line stays", "a\r\n\r\nb", "a\r\n\r\nb"},
        {"trailing empty lines each keep a line end", "a\r\n\r\n\r\n", "a\r\n\r\n"},
        {"no final line end", "abc", "abc"},
        {"only empty lines", "\r\n\r\n\r\n", ""},
        {"CR alone ends lines", "a\rb\rc\r", "a\r\nb\r\nc"},
        {"empty CR lines first", "\r\r\rx", "x"},
        {"LF alone stays in the line", "a\nb\nc\n", "a\nb\nc\n"},
        {"a lone LF makes a line not empty", "\n\r\nb", "\n\r\nb"},
        {"LF CR is not a line end pair", "a\n\rb", "a\n\r\nb"},
        {"NUL and 8-bit bytes kept", "a\0b\r\ncaf\xE9"s, "a\0b\r\ncaf\xE9"s},
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

TEST(TextFileLoaderTest, NothingIsReadWithoutAnOrdinaryReadableFile) {
    FakeFiles files;
    files.Add("C:\\Notes\\hidden.txt", "secret").hidden = true;
    files.Add("C:\\Notes\\system.txt", "system").system = true;
    files.Add("C:\\Notes\\folder.txt").folder = true;
    files.Add("C:\\Notes\\locked.txt", "locked").unreadable = true;
    for (const char* path :
         {"", "C:\\Notes\\missing.txt", "C:\\Notes\\hidden.txt", "C:\\Notes\\system.txt",
          "C:\\Notes\\folder.txt", "C:\\Notes\\locked.txt"}) {
        SCOPED_TRACE(path);
        std::string textFileDir = kEarlier;
        EXPECT_EQ(LoadTextFile(files, path, textFileDir), std::nullopt);
        EXPECT_EQ(textFileDir, kEarlier);
    }
}

TEST(TextFileLoaderTest, LargeFileLoadsInLinearTime) {
    // 50 MB of lines ending in CR LF and in CR alone. Copying the text once per line
    // would take hours; one pass takes well under a second.
    const std::string lines = "a line of the notes\r\nshort\r";
    std::string bytes;
    bytes.reserve(50'000'000 + lines.size());
    std::size_t count = 0;
    for (; bytes.size() < 50'000'000; ++count) {
        bytes += lines;
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
