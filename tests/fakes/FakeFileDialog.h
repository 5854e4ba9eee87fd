#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/FileDialog.h"

namespace datrelle::fakes {

// An Open dialog answered by the test: each use takes the next queued answer ("" is a
// cancel), and a use with nothing queued is cancelled. Every request is kept, so a
// test sees what the user would have been shown.
class FakeFileDialog : public FileDialog {
  public:
    std::string ShowOpen(const FileDialogRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) {
            return {};
        }
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }

    void Choose(std::string path) { answers.push_back(std::move(path)); }
    void Cancel() { answers.emplace_back(); }

    std::deque<std::string> answers;
    std::vector<FileDialogRequest> requests;
};

}  // namespace datrelle::fakes
