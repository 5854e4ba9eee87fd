#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "files/FileReplacement.h"

namespace datrelle {
namespace {

// The steps that fail (as FakePlatform::fails names them) on a target "t"; whether "new
// text" is saved, where the earlier text is said to be, and the files afterwards: a target
// that was renamed away is renamed back, and one written in place part-way gets its earlier
// text back.
TEST(FileReplacementTest, EachFailingStepLeavesTheEarlierOrTheNewContent) {
    const std::tuple<const char*, bool, const char*, const char*> cases[] = {
        {"", true, "", "t=new text"},
        {"replace", true, "", "t=new text"},
        {"replace-half", true, "", "t=new text"},
        {"replace-half rename-new", true, "", "t=new text"},
        {"replace-half rename-new write", false, "", "t=old"},
        {"replace-half rename-new rename-back", false, "t.before-save-7-1",
         "t.before-save-7-1=old"},
        {"replace-lost rename-new rename-back", false, "", ""},
        {"taken", true, "", "t=new text t.tmp-7-0=theirs"},
        {"disk-full", false, "", "t=old"},
        {"new-file", true, "", "t=new text"},
        {"delete-right", true, "", "t=new text"},
        {"delete-right open", false, "", "t=old"},
        {"delete-right read", false, "", "t=old"},
        {"delete-right grow", false, "", "t=old"},
        {"delete-right write", false, "", "t=old"},
        // A missing target is made from the new file, or in place when that cannot be
        // renamed.
        {"missing write", true, "", "t=new text"},
        {"missing rename-new", true, "", "t=new text"},
        {"no-name", false, "", "t=old"},  // a target without a name: nothing is written
    };
    for (const auto& [fails, done, keptAt, after] : cases) {
        SCOPED_TRACE(fails);
        fakes::FakePlatform folder;
        folder.fails = fails;
        if (!folder.Fails("missing")) {
            folder.AddFile("t", "old");
        }
        const Replacement result =
            ReplaceFileContent(folder, folder.Fails("no-name") ? "" : "t", "new text");
        std::string listing;  // "name=content" for every file, in the order of their names
        for (const auto& [name, file] : folder.files) {
            listing += (listing.empty() ? "" : " ") + name + "=" + file.content;
        }
        EXPECT_EQ(std::tuple(result.done, result.earlierContentAt, listing),
                  std::tuple(done, keptAt, after));
    }
}

}  // namespace
}  // namespace datrelle
