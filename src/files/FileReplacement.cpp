// How a file's content is replaced. The new content goes into a new file beside
// the target first (in its folder, so that no step crosses volumes), which then takes the
// target's place through Windows' own replacement: it keeps the target's attributes,
// access rights and other streams, which a plain rename would drop. Windows does that in
// two renames: the target to a backup name, then the new file to the target's name.
// Should the second fail, the earlier content sits under the backup name and the target's
// name is free; it is put back there, or, where even that fails, the result says where
// it is. Where no new file can be made beside the target or take its place (a folder that
// takes no new files, a target another program keeps open without letting it be
// deleted), the target itself is written, and its earlier content written back should
// that fail part-way.

#include "files/FileReplacement.h"

#include <optional>

namespace datrelle {
namespace {

// A file beside the target that is removed again when this goes, unless kept.
struct FileBeside {
    explicit FileBeside(FileOperations& operations) : files(operations) {}
    FileBeside(const FileBeside&) = delete;
    FileBeside& operator=(const FileBeside&) = delete;
    ~FileBeside() {
        if (!path.empty() && !kept) {
            // Best effort: one that cannot be removed only takes up space.
            (void)files.Delete(path);
        }
    }

    FileOperations& files;
    std::string path;
    bool kept = false;
};

// One replacement of the target's content. The names it makes beside the target are
// numbered from 0 for each; a number is used only when no file has that name.
class Replacing {
  public:
    Replacing(FileOperations& files, const std::string& target) : files_(files), target_(target) {}

    Replacement Run(std::string_view content);

  private:
    enum class Written { Done, NoNewFileThere, Failed };

    std::string NameBeside(std::string_view word);
    Written WriteBeside(std::string_view content, FileBeside& written);
    std::optional<Replacement> TakePlace(FileBeside& written);
    bool WriteInPlace(std::string_view content);

    FileOperations& files_;
    const std::string& target_;
    unsigned counter_ = 0;
};

// The target's name, a word and a number that no name in the folder has yet. It never
// ends in ".txt", so that no later start takes it for the notes file.
std::string Replacing::NameBeside(std::string_view word) {
    std::string name;
    do {
        name = target_ + "." + std::string(word) + "-" + std::to_string(files_.ProcessId()) + "-" +
               std::to_string(counter_++);
    } while (files_.Exists(name));
    return name;
}

// The content in a new file beside the target, on the disk.
Replacing::Written Replacing::WriteBeside(std::string_view content, FileBeside& written) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string path = NameBeside("tmp");
        switch (files_.CreateNew(path, content)) {
            case NewFile::Written:
                written.path = std::move(path);
                return Written::Done;
            case NewFile::NotWritten:
                // A write that fails here (a full disk, say) would fail in the target too.
                written.path = std::move(path);
                return Written::Failed;
            case NewFile::NotMade:
                return Written::NoNewFileThere;
            case NewFile::NameTaken:
                break;  // made by someone else since the name was free: the next one
        }
    }
    return Written::Failed;
}

// The written file takes the target's place. nullopt when the target is still there as it
// was, so that writing it where it is may be tried.
std::optional<Replacement> Replacing::TakePlace(FileBeside& written) {
    // Once the new content is in place, the earlier content at the backup name is no
    // longer needed.
    FileBeside earlier(files_);
    earlier.path = NameBeside("before-save");
    if (files_.Replace(target_, written.path, earlier.path)) {
        written.kept = true;
        return Replacement{true, {}};
    }
    if (files_.Exists(target_)) {
        // Refused before the target was renamed: it is as it was.
        return std::nullopt;
    }
    // The target was renamed, but the written file could not take its name.
    if (files_.Rename(written.path, target_)) {
        written.kept = true;
        return Replacement{true, {}};
    }
    if (files_.Rename(earlier.path, target_)) {
        earlier.path.clear();
        return std::nullopt;
    }
    // Nothing else would ever show the user where the earlier content went.
    earlier.kept = files_.Exists(earlier.path);
    return Replacement{false, earlier.kept ? earlier.path : std::string()};
}

// The target itself written over, as a text editor saves. Room for the new content is
// made first, so that a disk too full for it refuses before any earlier byte is gone;
// should the writing still fail part-way, the earlier content is written back.
bool Replacing::WriteInPlace(std::string_view content) {
    const std::unique_ptr<OpenFile> file = files_.OpenInPlace(target_);
    // What cannot be read cannot be put back.
    const std::optional<std::string> before = file ? file->ReadAll() : std::nullopt;
    if (!before) {
        return false;
    }
    if (content.size() > before->size() && !file->Resize(content.size())) {
        (void)file->Resize(before->size());  // the length it had, should any room have been made
        return false;
    }
    if (file->WriteWhole(content)) {
        return true;
    }
    (void)file->WriteWhole(*before);  // nothing more can be done should this fail too
    return false;
}

Replacement Replacing::Run(std::string_view content) {
    // Looked at before anything is written: Wine's ReplaceFileW leaves a file of its own
    // beside a target that it cannot rename.
    const TargetState state = files_.Examine(target_);
    if (state != TargetState::OnlyWritable) {
        FileBeside written(files_);
        switch (WriteBeside(content, written)) {
            case Written::Failed:
                return {};  // the target untouched
            case Written::NoNewFileThere:
                break;
            case Written::Done:
                if (state == TargetState::Missing && files_.Rename(written.path, target_)) {
                    written.kept = true;
                    return {true, {}};
                }
                if (state == TargetState::Renamable) {
                    if (auto replaced = TakePlace(written)) {
                        return *replaced;
                    }
                }
                break;
        }
    }
    return {WriteInPlace(content), {}};
}

}  // namespace

Replacement ReplaceFileContent(FileOperations& files, const std::string& target,
                               std::string_view content) {
    if (target.empty()) {
        return {};
    }
    return Replacing(files, target).Run(content);
}

}  // namespace datrelle
