#include "form/CommonDialog.h"

#include <vector>

namespace datrelle {

void CommonDialog::ShowOpen() {
    // The earlier FileName is offered again in the name field, as the choosers never
    // clear it; what comes back replaces it, "" included.
    FileName = dialog_.ShowOpen({DialogTitle, Filter, InitDir, FileName});
}

std::string WindowsFilter(std::string_view filter) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = filter.find('|', start);
        parts.push_back(filter.substr(start, bar == std::string_view::npos ? bar : bar - start));
        if (bar == std::string_view::npos) {
            break;
        }
        start = bar + 1;
    }
    std::string result;
    // The dialog reads pairs of description and patterns; a last description without
    // patterns has no pair and is dropped.
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        result.append(parts[i]).push_back('\0');
        result.append(parts[i + 1]).push_back('\0');
    }
    if (!result.empty()) {
        result.push_back('\0');
    }
    return result;
}

}  // namespace datrelle
